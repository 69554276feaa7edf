// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ui/AddPuzzle.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QInputDialog>
#include <QProgressDialog>
#include <QTimer>

#include <chrono>
#include <cstring>
#include <future>

#include "common/Prompts.h"
#include "catalogue/core/PictureFiles.h"
#include "common/RegularFile.h"
#include "catalogue/core/Text.h"
#include "import/core/ClueFile.h"
#include "import/core/ImportFile.h"
#include "import/core/TimedSearch.h"
#include "import/ui/ConvertDialog.h"

namespace mosgrid {
namespace {

constexpr std::size_t kMaxFileBytes = 64u << 20;

ImportDialogs* installed = nullptr;

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Runs `work` on a thread of its own while a modal progress box keeps the window alive.
template <typename Work>
auto RunWithProgress(QWidget* parent, const QString& text, Work work) {
    auto future = std::async(std::launch::async, std::move(work));
    if (future.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
        QProgressDialog progress(text, QString(), 0, 0, parent);
        progress.setWindowTitle(QStringLiteral("Mosgrid"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        progress.show();
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (future.wait_for(std::chrono::seconds(0)) == std::future_status::ready) loop.quit();
        });
        poll.start(20);
        loop.exec();
    }
    return future.get();
}

}  // namespace

ImportDialogs& ImportDialogs::Current() {
    static RealImportDialogs real;
    return installed ? *installed : real;
}

void ImportDialogs::Install(ImportDialogs* dialogs) { installed = dialogs; }

QString RealImportDialogs::ChooseFile(QWidget* parent) {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    const QString filter = QStringLiteral("Кроссворды и рисунки (*.non *.xml *.g %1);;Кроссворды (*.non *.xml *.g);;"
                                          "Рисунки (%1);;Все файлы (*)")
                               .arg(patterns.join(QLatin1Char(' ')));
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Добавить кроссворд"), QString(), filter);
}

std::optional<QString> RealImportDialogs::AskName(QWidget* parent, const QString& proposed) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Mosgrid"));
    dialog.setLabelText(QStringLiteral("Название кроссворда:"));
    dialog.setTextValue(proposed);
    dialog.setOkButtonText(QStringLiteral("ОК"));
    dialog.setCancelButtonText(QStringLiteral("Отмена"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

std::optional<Picture4> RealImportDialogs::ConvertImage(QWidget* parent, const RgbaImage& image) {
    ConvertDialog dialog(image, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Picture();
}

std::optional<Picture4> RealImportDialogs::DrawPicture(QWidget* parent) {
    ConvertDialog dialog(15, 15, {}, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Picture();
}

QString ClueRefusalText(const ClueVerdict& verdict) {
    using Kind = ClueVerdict::Kind;
    switch (verdict.kind) {
        case Kind::Several:
            return QStringLiteral("У кроссворда несколько решений (найдено %1%2), а нужно одно.")
                .arg(verdict.solutions >= DecideLimits{}.cap ? QStringLiteral("не меньше ") : QString())
                .arg(verdict.solutions);
        case Kind::Contradictory:
            return QStringLiteral("У кроссворда нет решения: его числа противоречат друг другу.");
        case Kind::TooHard:
            return QStringLiteral("Кроссворд слишком сложен для проверки: решения не найдены за 10 секунд.");
        case Kind::TooLarge:
            return QStringLiteral("Кроссворд больше наибольшего размера %1×%1.").arg(kImportMaxSide);
        case Kind::TooManyColours:
            return QStringLiteral("В кроссворде больше %1 цветов кроме белого.").arg(kImportMaxColours);
        case Kind::Unique:
            break;
    }
    return QString();
}

std::optional<std::u16string> NameAndWritePuzzle(QWidget* parent, const GameFolders& folders, const Picture4& picture,
                                                 const QString& proposed) {
    QString name = proposed;
    for (;;) {
        const std::optional<QString> asked = ImportDialogs::Current().AskName(parent, name);
        if (!asked) return std::nullopt;
        name = asked->trimmed();
        const std::string utf8 = name.toStdString();
        if (name.isEmpty() || !IsImportName(utf8)) {
            Prompts::Current().Refuse(
                parent, "Такое название не подходит: без «/», не «.» и не «..», не длиннее 259 знаков.");
            continue;
        }
        ImportRequest request;
        request.folder = folders.PlayerPictures();
        // A puzzle of that name anywhere (the player's or a bundled one) is hidden or replaced.
        const std::filesystem::path existing = FindPicturePath(folders, Utf8ToUtf16(utf8));
        std::error_code error;
        if (!existing.empty() && std::filesystem::exists(existing, error)) {
            if (!Prompts::Current().Ask(parent, "Кроссворд «" + utf8 + "» уже есть. Заменить его?"))
                continue;
            request.replace = true;
        }
        MakePlayerFolders(folders);
        ImportOutcome outcome;
        WritePuzzle(picture, utf8, request, outcome);
        if (!outcome.written) {
            Prompts::Current().Tell(parent, "Не удалось записать " + (request.folder / (utf8 + ".bmp")).string());
            return std::nullopt;
        }
        return Utf8ToUtf16(utf8);
    }
}

RgbaImage RgbaOfImage(const QImage& decoded) {
    const QImage rgba = decoded.convertToFormat(QImage::Format_RGBA8888);
    RgbaImage image;
    image.width = rgba.width();
    image.height = rgba.height();
    image.rgba.resize(std::size_t(image.width) * std::size_t(image.height) * 4);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(&image.rgba[std::size_t(y) * std::size_t(image.width) * 4], rgba.constScanLine(y),
                    std::size_t(image.width) * 4);
    return image;
}

std::optional<std::u16string> AddPuzzleCommand(QWidget* parent, const GameFolders& folders) {
    const QString file = ImportDialogs::Current().ChooseFile(parent);
    if (file.isEmpty()) return std::nullopt;
    const std::filesystem::path path = QFile::encodeName(file).toStdString();
    const auto bytes = ReadRegularFile(path, kMaxFileBytes);
    if (!bytes) {
        Prompts::Current().Refuse(parent, QStringLiteral("Файл не читается: %1").arg(file).toStdString());
        return std::nullopt;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    const QImage decoded = IsClueFileName(path.filename().string())
                               ? QImage()
                               : QImage::fromData(QByteArray::fromRawData(text.data(), qsizetype(text.size())));
    if (decoded.isNull()) {
        CluePuzzle clues;
        std::string error;
        if (!ReadClueFile(text, clues, error)) {
            Prompts::Current().Refuse(parent,
                                      QStringLiteral("Файл не читается ни как кроссворд, ни как рисунок: %1").arg(FromUtf8(error)).toStdString());
            return std::nullopt;
        }
        const ClueVerdict verdict = RunWithProgress(parent, QStringLiteral("Проверка решения кроссворда..."),
                                                    [clues] { return DecideCluePuzzle(clues); });
        if (verdict.kind != ClueVerdict::Kind::Unique) {
            Prompts::Current().Refuse(parent, ClueRefusalText(verdict).toStdString());
            return std::nullopt;
        }
        ImportRequest request;
        return NameAndWritePuzzle(parent, folders, verdict.picture, FromUtf8(ChooseName(request, clues.title, path)));
    }
    const std::optional<Picture4> picture = ImportDialogs::Current().ConvertImage(parent, RgbaOfImage(decoded));
    if (!picture) return std::nullopt;
    return NameAndWritePuzzle(parent, folders, *picture, QFileInfo(file).completeBaseName());
}

std::optional<std::u16string> NewDrawingCommand(QWidget* parent, const GameFolders& folders) {
    const std::optional<Picture4> picture = ImportDialogs::Current().DrawPicture(parent);
    if (!picture) return std::nullopt;
    return NameAndWritePuzzle(parent, folders, *picture, QStringLiteral("Рисунок"));
}

}  // namespace mosgrid
