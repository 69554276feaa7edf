// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/ui/ListFiles.h"

#include <QCollator>
#include <QDialogButtonBox>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

#include "common/Prompts.h"
#include "common/ClockTime.h"
#include "common/BmpFile.h"
#include "catalogue/core/Catalog.h"
#include "catalogue/core/PictureFiles.h"
#include "import/core/DifficultyScan.h"

namespace mosgrid {
namespace {

QString ToQString(const std::u16string& text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

std::u16string ToU16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
}

struct Column {
    const char16_t* header;
    const char16_t* measure;  // the widest text the column is made for
    Qt::Alignment alignment;
};

const Column kColumns[] = {
    {u"Наименование", u"Наименование    ", Qt::AlignLeft | Qt::AlignVCenter},
    {u"Размер", u"Размер    ", Qt::AlignHCenter | Qt::AlignVCenter},
    {u"Цвета", u"Цвета    ", Qt::AlignHCenter | Qt::AlignVCenter},
    {u"Время", u"0:00:00    ", Qt::AlignHCenter | Qt::AlignVCenter},
    {u"Решён", u"Решён    ", Qt::AlignHCenter | Qt::AlignVCenter},
    {u"Сложность", u"Сложность  ", Qt::AlignHCenter | Qt::AlignVCenter},
};
constexpr int kColumnCount = 6;
constexpr int kLevelColumn = 5;

// Shown while the solver has not rated a picture yet.
const QString kRating = QStringLiteral("…");

QString LevelText(Difficulty level) {
    switch (level) {
        case Difficulty::Lines: return QStringLiteral("линии");
        case Difficulty::LookAhead: return QStringLiteral("просмотр");
        case Difficulty::Trial: return QStringLiteral("перебор");
        case Difficulty::Ambiguous: return QStringLiteral("неоднозначный");
        case Difficulty::Unknown: break;
    }
    return QStringLiteral("?");
}

}  // namespace

CListFiles::CListFiles(GameFolders folders, QWidget* parent)
    : QDialog(parent), folders_(std::move(folders)) {
    setWindowTitle(QStringLiteral("Выбор кроссворда"));

    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setSortingEnabled(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setAllColumnsShowFocus(true);
    list_->setUniformRowHeights(true);
    list_->setColumnCount(kColumnCount);
    QTreeWidgetItem* header = list_->headerItem();
    const QFontMetrics metrics = list_->fontMetrics();
    // Room for the header section's own margins around the measured text.
    const int padding = 2 * list_->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, list_) + 8;
    for (int c = 0; c < kColumnCount; ++c) {
        header->setText(c, QString::fromUtf16(kColumns[c].header));
        header->setTextAlignment(c, kColumns[c].alignment);
        list_->setColumnWidth(c, metrics.horizontalAdvance(QString::fromUtf16(kColumns[c].measure)) + padding);
    }
    list_->header()->setSectionsMovable(false);
    list_->header()->setStretchLastSection(false);
    // The names take whatever width the window has beyond the other columns.
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    // A double click opens the puzzle of its row; Enter does so through the default button.
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        list_->setCurrentItem(item);
        OnOk();
    });

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QStringLiteral("ОК"), QDialogButtonBox::AcceptRole);
    cancel_ = buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CListFiles::OnOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);

    // As wide as the window and the difficulty column more, so the names keep their room.
    if (parent) resize(parent->width() + list_->columnWidth(kLevelColumn), parent->height());
    Fill();
}

CListFiles::~CListFiles() {
    // The scan stops at its next poll; what it learnt is kept for the next opening.
    if (!scan_) return;
    scan_->Stop();
    scan_->Finish().Save(folders_.playerFiles / kDifficultyFileName);
}

void CListFiles::StartRating(std::vector<std::filesystem::path> files) {
    DifficultyCache cache;
    cache.Load(folders_.playerFiles / kDifficultyFileName);
    // The report runs on the scan's thread: the row is filled in on the window's thread.
    scan_ = std::make_unique<DifficultyScan>(std::move(files), std::move(cache), [this](const RatedPicture& rated) {
        QMetaObject::invokeMethod(this, [this, rated] { ShowRating(rated); }, Qt::QueuedConnection);
    });
}

void CListFiles::ShowRating(const RatedPicture& rated) {
    const auto it = rowOfPath_.find(rated.path);
    if (it == rowOfPath_.end()) return;
    if (it->second->text(kLevelColumn) == kRating) --unrated_;
    it->second->setText(kLevelColumn, LevelText(rated.level));
}

void CListFiles::Fill() {
    // Loading scans the folder and merges the catalogue file: pictures added since the last
    // time get records, records of removed pictures are dropped at the save below.
    CCatalog catalog(folders_);
    catalog.Load();

    std::vector<std::pair<QString, QTreeWidgetItem*>> rows;
    rows.reserve(catalog.Records().size());
    CBmpFile picture;
    for (const PuzzleRecord& record : catalog.Records()) {
        const std::u16string name(record.Name());
        // A catalogued picture that cannot be read any more gets no row (its record stays).
        if (picture.Load(catalog.PicturePathOf(name)) != 1) continue;
        auto* row = new QTreeWidgetItem;
        row->setText(0, ToQString(name));
        row->setText(1, QString::asprintf("%ldx%ld", long(picture.infoHeader.biWidth),
                                          long(picture.infoHeader.biHeight)));
        row->setText(2, QString::asprintf("%ld", long(picture.colourCount) - 1));
        row->setText(3, QString::fromStdString(TimeText({record.bestHours, record.bestMinutes, record.bestSeconds})));
        row->setText(4, record.solvedCount > 0 ? QString::number(record.solvedCount) : QString());
        row->setText(kLevelColumn, kRating);
        rowOfPath_[catalog.PicturePathOf(name)] = row;
        for (int c = 0; c < kColumnCount; ++c) row->setTextAlignment(c, kColumns[c].alignment);
        rows.emplace_back(row->text(0), row);
        picture.Release();
    }
    // On screen the names stand in Russian alphabetical order (Ё with Е); the catalogue file
    // keeps its own.
    QCollator collator{QLocale(QLocale::Russian, QLocale::Russia)};
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const auto& a, const auto& b) { return collator.compare(a.first, b.first) < 0; });
    QList<QTreeWidgetItem*> items;
    std::vector<std::filesystem::path> files(rows.size());
    for (const auto& row : rows) items.push_back(row.second);
    list_->addTopLevelItems(items);
    // The rows are rated in the order they are shown, the top ones first.
    for (const auto& [path, item] : rowOfPath_) files[std::size_t(list_->indexOfTopLevelItem(item))] = path;
    unrated_ = int(files.size());
    StartRating(std::move(files));

    if (!catalog.Save())
        Prompts::Current().Tell(this, QFile::decodeName(catalog.CatalogueFilePath().c_str()).toStdString());
}

void CListFiles::OnOk() {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (!selected.isEmpty()) {
        chosenName_ = ToU16(selected.first()->text(0));
        chosenPath_ = FindPicturePath(folders_, chosenName_);
    }
    accept();
}

}  // namespace mosgrid
