// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/core/Catalog.h"

#include <algorithm>
#include <set>
#include <tuple>
#include <unordered_map>

#include "catalogue/core/AtomicFile.h"
#include "common/BmpFile.h"
#include "catalogue/core/PictureFiles.h"
#include "common/RegularFile.h"

namespace mosgrid {

CCatalog::CCatalog(GameFolders folders) : folders_(std::move(folders)) {}

std::filesystem::path CCatalog::CatalogueFilePath() const { return folders_.playerFiles / kFileName; }

std::filesystem::path CCatalog::PicturePathOf(std::u16string_view name) const {
    // The scan found every catalogued picture already: no second look at the folder.
    const auto found = files_.find(std::u16string(name));
    return found != files_.end() ? found->second : FindPicturePath(folders_, name);
}

void CCatalog::Load() {
    Scan();
    // Only a regular file is read, and only one of a sensible length: a pipe or a device named
    // mg.bd must not hang or flood the program.
    const std::optional<std::vector<std::uint8_t>> file = ReadRegularFile(CatalogueFilePath(), kMaxFileSize);
    if (!file) return;
    MergeCatalogueFile(*file);
    SortByName();
}

void CCatalog::Scan() {
    // A name that a picture file of an earlier folder gives is that folder's, playable or not, as
    // FindPicturePath decides.
    std::set<std::u16string> named;
    for (const std::filesystem::path& folder : folders_.pictures) ScanFolder(folder, named);
}

void CCatalog::ScanFolder(const std::filesystem::path& folder, std::set<std::u16string>& named) {
    // The file system lists a folder in no particular order; sorting the names' bytes makes the
    // catalogue the same on every run.
    std::vector<std::string> files;
    std::error_code error;
    const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : folder;
    for (std::filesystem::directory_iterator it(where, error), end; !error && it != end; it.increment(error)) {
        std::string file = it->path().filename().string();
        std::error_code typeError;
        if (HasBmpExtension(file) && it->is_regular_file(typeError)) files.push_back(std::move(file));
    }
    std::sort(files.begin(), files.end());

    std::set<std::u16string> namedHere;
    CBmpFile picture;
    for (const std::string& file : files) {
        std::optional<std::u16string> name = PuzzleNameOfFile(file);
        if (!name || named.count(*name) || !namedHere.insert(*name).second) continue;
        // Of several files with this name, the one spelt ".bmp" exactly is the one found again.
        std::string exact = file.substr(0, file.size() - 4) + ".bmp";
        const std::string& chosen = std::binary_search(files.begin(), files.end(), exact) ? exact : file;
        // The header alone refuses what cannot be a puzzle, however large the file.
        if (picture.Load(folder / chosen, IsPuzzleHeader) == 1) {
            if (IsPuzzlePicture(picture) && AddOrUpdate(*name, 0, 0, 0, 0, 1)) files_.emplace(*name, folder / chosen);
            picture.Release();
        }
    }
    named.insert(namedHere.begin(), namedHere.end());
}

void CCatalog::MergeCatalogueFile(std::span<const std::uint8_t> bytes) {
    std::unordered_map<std::u16string_view, std::vector<std::size_t>> byName;
    for (std::size_t i = 0; i < records_.size(); ++i) byName[records_[i].Name()].push_back(i);

    // Records apply in file order, so of two with one name the later wins. A short trailing piece
    // and a name without a terminator are ignored.
    for (std::size_t at = 0; at + PuzzleRecord::kFileSize <= bytes.size(); at += PuzzleRecord::kFileSize) {
        std::optional<PuzzleRecord> stored = DecodeRecord(bytes.data() + at);
        if (!stored) continue;
        auto found = byName.find(stored->Name());
        if (found == byName.end()) continue;
        for (std::size_t i : found->second) records_[i].SetCounters(stored->Counters());
    }
}

bool CCatalog::Save() const {
    std::vector<std::uint8_t> bytes(records_.size() * PuzzleRecord::kFileSize);
    for (std::size_t i = 0; i < records_.size(); ++i) EncodeRecord(records_[i], bytes.data() + i * PuzzleRecord::kFileSize);
    return WriteFileAtomically(CatalogueFilePath(), bytes);
}

bool CCatalog::Find(std::u16string_view name, std::int32_t& count, std::uint8_t& hours, std::uint8_t& minutes,
                    std::uint8_t& seconds) const {
    bool found = false;
    for (const PuzzleRecord& record : records_) {
        if (record.Name() != name) continue;
        const SolveCounters c = record.Counters();
        std::tie(count, hours, minutes, seconds) = std::tie(c.solvedCount, c.bestHours, c.bestMinutes, c.bestSeconds);
        found = true;
    }
    return found;
}

bool CCatalog::AddOrUpdate(std::u16string_view name, std::int32_t count, std::uint8_t hours, std::uint8_t minutes,
                           std::uint8_t seconds, int mode) {
    const SolveCounters counters{count, hours, minutes, seconds};
    if (mode == 1) {
        PuzzleRecord record;
        if (!record.SetName(name)) return false;
        record.SetCounters(counters);
        records_.push_back(record);
        return true;
    }
    bool found = false;
    for (PuzzleRecord& record : records_) {
        if (record.Name() != name) continue;
        record.SetCounters(counters);
        found = true;
    }
    return found;
}

void CCatalog::SortByName() {
    std::stable_sort(records_.begin(), records_.end(),
                     [](const PuzzleRecord& a, const PuzzleRecord& b) { return a.Name() < b.Name(); });
}

}  // namespace mosgrid
