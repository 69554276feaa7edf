// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ui/ConvertDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "import/core/ClueDecision.h"
#include "import/core/TimedSearch.h"
#include "import/core/UniqueRepair.h"

namespace mosgrid {
namespace {

QColor ToQColor(COLORREF c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
COLORREF FromQColor(const QColor& c) { return MakeColour(std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())); }

// The colours a new drawing starts with, distinct at a glance.
const COLORREF kCanvasColours[kImportMaxColours] = {
    MakeColour(0, 0, 0),       MakeColour(200, 0, 0),     MakeColour(0, 140, 0),     MakeColour(0, 0, 200),
    MakeColour(240, 200, 0),   MakeColour(140, 70, 20),   MakeColour(230, 120, 0),   MakeColour(130, 0, 160),
    MakeColour(0, 170, 190),   MakeColour(250, 140, 180), MakeColour(120, 120, 120), MakeColour(0, 80, 40),
    MakeColour(100, 0, 0),     MakeColour(120, 200, 255), MakeColour(190, 190, 110),
};

// Runs of one non-white index along a line of the picture: (length, index).
std::vector<std::pair<int, int>> Runs(const Picture4& p, bool column, int line) {
    std::vector<std::pair<int, int>> runs;
    const int length = column ? p.height : p.width;
    for (int i = 0; i < length; ++i) {
        const int index = p.indices[std::size_t(column ? i * p.width + line : line * p.width + i)];
        if (p.palette[std::size_t(index)] == kWhite) continue;
        const bool continues = i > 0 && !runs.empty() &&
                               p.indices[std::size_t(column ? (i - 1) * p.width + line : line * p.width + i - 1)] == index;
        if (continues) {
            ++runs.back().first;
        } else {
            runs.emplace_back(1, index);
        }
    }
    return runs;
}

bool AnyColoured(const Picture4& p) {
    return std::any_of(p.indices.begin(), p.indices.end(), [&](std::uint8_t i) { return p.palette[i] != kWhite; });
}

}  // namespace

// --- PuzzlePreview ---

PuzzlePreview::PuzzlePreview(QWidget* parent) : QWidget(parent) {
    setMouseTracking(false);
    setFocusPolicy(Qt::StrongFocus);
}

void PuzzlePreview::SetPicture(const Picture4& picture) {
    picture_ = picture;
    cursor_ = QPoint(std::clamp(cursor_.x(), 0, std::max(0, picture_.width - 1)),
                     std::clamp(cursor_.y(), 0, std::max(0, picture_.height - 1)));
    rowClues_.clear();
    columnClues_.clear();
    for (int r = 0; r < picture_.height; ++r) rowClues_.push_back(Runs(picture_, false, r));
    for (int c = 0; c < picture_.width; ++c) columnClues_.push_back(Runs(picture_, true, c));
    Measure();
    update();
}

void PuzzlePreview::SetMarks(std::vector<bool> differing, std::vector<bool> changed) {
    differing_ = std::move(differing);
    changed_ = std::move(changed);
    update();
}

void PuzzlePreview::Measure() {
    std::size_t across = 1, down = 1;
    for (const auto& runs : rowClues_) across = std::max(across, runs.size());
    for (const auto& runs : columnClues_) down = std::max(down, runs.size());
    // The game's cells: larger for a small puzzle, never below what a number needs.
    cell_ = std::max(picture_.width, picture_.height) <= 25 ? 18 : 13;
    left_ = int(across) * cell_;
    top_ = int(down) * cell_;
    setFixedSize(sizeHint());
}

QSize PuzzlePreview::sizeHint() const { return QSize(left_ + picture_.width * cell_ + 1, top_ + picture_.height * cell_ + 1); }

QPoint PuzzlePreview::CellCentre(int column, int row) const {
    return QPoint(left_ + column * cell_ + cell_ / 2, top_ + row * cell_ + cell_ / 2);
}

void PuzzlePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QFont font = painter.font();
    font.setPixelSize(cell_ - 5);
    painter.setFont(font);
    const auto clue = [&](QRect box, std::pair<int, int> run) {
        const QColor colour = ToQColor(picture_.palette[std::size_t(run.second)]);
        painter.fillRect(box.adjusted(1, 1, 0, 0), colour);
        painter.setPen(colour.lightness() < 128 ? Qt::white : Qt::black);
        painter.drawText(box, Qt::AlignCenter, QString::number(run.first));
    };
    for (int r = 0; r < picture_.height; ++r) {
        const auto& runs = rowClues_[std::size_t(r)];
        for (std::size_t i = 0; i < runs.size(); ++i)
            clue(QRect(left_ - int(runs.size() - i) * cell_, top_ + r * cell_, cell_, cell_), runs[i]);
    }
    for (int c = 0; c < picture_.width; ++c) {
        const auto& runs = columnClues_[std::size_t(c)];
        for (std::size_t i = 0; i < runs.size(); ++i)
            clue(QRect(left_ + c * cell_, top_ - int(runs.size() - i) * cell_, cell_, cell_), runs[i]);
    }
    for (int r = 0; r < picture_.height; ++r) {
        for (int c = 0; c < picture_.width; ++c) {
            const std::size_t at = std::size_t(r * picture_.width + c);
            const QRect box(left_ + c * cell_, top_ + r * cell_, cell_, cell_);
            painter.fillRect(box, ToQColor(picture_.palette[picture_.indices[at]]));
            if (at < differing_.size() && differing_[at]) {
                painter.setPen(QPen(QColor(230, 0, 0), 2));
                painter.drawLine(box.topLeft() + QPoint(3, 3), box.bottomRight() - QPoint(2, 2));
                painter.drawLine(box.topRight() + QPoint(-2, 3), box.bottomLeft() + QPoint(3, -2));
            }
            if (at < changed_.size() && changed_[at]) {
                painter.setPen(QPen(QColor(0, 90, 255), 2));
                painter.drawRect(box.adjusted(2, 2, -1, -1));
            }
        }
    }
    // The grid, every fifth line darker, as on the board.
    for (int c = 0; c <= picture_.width; ++c) {
        painter.setPen(c % 5 == 0 ? QColor(60, 60, 60) : QColor(190, 190, 190));
        painter.drawLine(left_ + c * cell_, top_, left_ + c * cell_, top_ + picture_.height * cell_);
    }
    for (int r = 0; r <= picture_.height; ++r) {
        painter.setPen(r % 5 == 0 ? QColor(60, 60, 60) : QColor(190, 190, 190));
        painter.drawLine(left_, top_ + r * cell_, left_ + picture_.width * cell_, top_ + r * cell_);
    }
    // The keyboard's cursor, black and white so that it shows on every colour.
    if (hasFocus() && picture_.width > 0 && picture_.height > 0) {
        const QRect box(left_ + cursor_.x() * cell_, top_ + cursor_.y() * cell_, cell_, cell_);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 2));
        painter.drawRect(box);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(box.adjusted(2, 2, -2, -2));
    }
}

void PuzzlePreview::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint() - QPoint(left_, top_);
    if (at.x() < 0 || at.y() < 0) return;
    const int column = at.x() / cell_, row = at.y() / cell_;
    if (column >= picture_.width || row >= picture_.height) return;
    cursor_ = QPoint(column, row);
    if (event->button() == Qt::LeftButton) emit cellSet(column, row, current_);
    if (event->button() == Qt::RightButton) emit cellSet(column, row, 0);
}

void PuzzlePreview::keyPressEvent(QKeyEvent* event) {
    const QPoint from = cursor_;
    const std::size_t at = std::size_t(from.y() * picture_.width + from.x());
    switch (event->key()) {
        case Qt::Key_Left: cursor_.rx() = std::max(0, from.x() - 1); break;
        case Qt::Key_Right: cursor_.rx() = std::min(picture_.width - 1, from.x() + 1); break;
        case Qt::Key_Up: cursor_.ry() = std::max(0, from.y() - 1); break;
        case Qt::Key_Down: cursor_.ry() = std::min(picture_.height - 1, from.y() + 1); break;
        case Qt::Key_Space: emit cellSet(from.x(), from.y(), current_); return;
        case Qt::Key_X:
        case 0x0427:  // Ч, on the X key of the Russian layout
        case Qt::Key_Delete:
        case Qt::Key_Backspace: emit cellSet(from.x(), from.y(), 0); return;
        default: QWidget::keyPressEvent(event); return;
    }
    if ((event->modifiers() & Qt::ShiftModifier) && cursor_ != from && at < picture_.indices.size())
        emit cellSet(cursor_.x(), cursor_.y(), picture_.indices[at]);
    update();
    emit cursorMoved(CellCentre(cursor_.x(), cursor_.y()));
}

void PuzzlePreview::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void PuzzlePreview::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

// --- ConvertDialog ---

ConvertDialog::ConvertDialog(RgbaImage image, QWidget* parent) : QDialog(parent), image_(std::move(image)) {
    setWindowTitle(QStringLiteral("Кроссворд из рисунка"));
    Build(false);
    Convert();
}

ConvertDialog::ConvertDialog(int width, int height, std::vector<COLORREF> palette, QWidget* parent)
    : QDialog(parent), canvas_(true) {
    setWindowTitle(QStringLiteral("Новый рисунок"));
    picture_.width = std::clamp(width, 1, kImportMaxSide);
    picture_.height = std::clamp(height, 1, kImportMaxSide);
    picture_.palette = {kWhite};
    for (COLORREF c : palette) picture_.palette.push_back(c);
    if (picture_.palette.size() < 2) picture_.palette.push_back(kCanvasColours[0]);
    picture_.palette.resize(std::min<std::size_t>(picture_.palette.size(), kImportMaxColours + 1));
    picture_.indices.assign(std::size_t(picture_.width * picture_.height), 0);
    Build(true);
    PictureChanged();
}

ConvertDialog::~ConvertDialog() {
    StopVerdict();
    if (repairThread_.joinable()) repairThread_.join();
}

void ConvertDialog::Build(bool canvas) {
    auto* form = new QFormLayout;
    const auto spin = [this](int low, int high, int value) {
        auto* box = new QSpinBox(this);
        box->setRange(low, high);
        box->setValue(value);
        return box;
    };
    colours_ = spin(1, kImportMaxColours, canvas ? int(picture_.palette.size()) - 1 : 4);
    if (canvas) {
        width_ = spin(1, kImportMaxSide, picture_.width);
        height_ = spin(1, kImportMaxSide, picture_.height);
        form->addRow(QStringLiteral("Ширина:"), width_);
        form->addRow(QStringLiteral("Высота:"), height_);
        form->addRow(QStringLiteral("Цветов кроме белого:"), colours_);
        const auto resize = [this] {
            Picture4 next = picture_;
            next.width = width_->value();
            next.height = height_->value();
            next.indices.assign(std::size_t(next.width * next.height), 0);
            for (int r = 0; r < std::min(next.height, picture_.height); ++r)
                for (int c = 0; c < std::min(next.width, picture_.width); ++c)
                    next.indices[std::size_t(r * next.width + c)] = picture_.indices[std::size_t(r * picture_.width + c)];
            picture_ = next;
            changedCells_.clear();
            PictureChanged();
        };
        connect(width_, &QSpinBox::valueChanged, this, resize);
        connect(height_, &QSpinBox::valueChanged, this, resize);
        connect(colours_, &QSpinBox::valueChanged, this, [this](int count) {
            const std::size_t old = picture_.palette.size();
            picture_.palette.resize(std::size_t(count) + 1);
            for (std::size_t i = old; i < picture_.palette.size(); ++i) picture_.palette[i] = kCanvasColours[i - 1];
            for (std::uint8_t& index : picture_.indices)
                if (index > count) index = 0;
            currentIndex_ = std::min(currentIndex_, count);
            PictureChanged();
        });
    } else {
        int fitWidth = 0, fitHeight = 0;
        ConvertOptions fit;
        fit.maxWidth = fit.maxHeight = kImportMaxSide;
        FitSize(image_.width, image_.height, fit, fitWidth, fitHeight);
        size_ = spin(1, kImportMaxSide, std::min(std::max(fitWidth, fitHeight), 30));
        light_ = spin(0, 256, 240);
        size_->setToolTip(QStringLiteral("Большая сторона кроссворда в клетках; пропорции рисунка сохраняются"));
        light_->setToolTip(QStringLiteral("Точки светлее этого (по самому тёмному из каналов) становятся фоном; 256 — фона нет"));
        form->addRow(QStringLiteral("Размер (большая сторона):"), size_);
        form->addRow(QStringLiteral("Цветов кроме белого:"), colours_);
        form->addRow(QStringLiteral("Порог светлого фона:"), light_);
        for (QSpinBox* box : {size_, colours_, light_}) connect(box, &QSpinBox::valueChanged, this, &ConvertDialog::Convert);
    }

    paletteRow_ = new QHBoxLayout;
    paletteRow_->setSpacing(2);
    auto* paletteBox = new QWidget(this);
    paletteBox->setLayout(paletteRow_);
    form->addRow(QStringLiteral("Цвет для клеток:"), paletteBox);
    if (canvas) {
        auto* pick = new QPushButton(QStringLiteral("Изменить цвет..."), this);
        connect(pick, &QPushButton::clicked, this, [this] {
            if (currentIndex_ < 1) return;
            const QColor chosen = QColorDialog::getColor(ToQColor(picture_.palette[std::size_t(currentIndex_)]), this);
            if (!chosen.isValid() || FromQColor(chosen) == kWhite) return;
            picture_.palette[std::size_t(currentIndex_)] = FromQColor(chosen);
            PictureChanged();
        });
        form->addRow(QString(), pick);
    }

    verdictLabel_ = new QLabel(this);
    verdictLabel_->setWordWrap(true);
    repair_ = new QPushButton(QStringLiteral("Сделать однозначным"), this);
    repair_->setAutoDefault(false);  // Return means "ОК", never a repair
    connect(repair_, &QPushButton::clicked, this, &ConvertDialog::StartRepair);
    repairLabel_ = new QLabel(this);
    repairLabel_->setWordWrap(true);
    showBefore_ = new QCheckBox(QStringLiteral("Показать рисунок до исправления"), this);
    showBefore_->setEnabled(false);
    connect(showBefore_, &QCheckBox::toggled, this, [this](bool before) {
        preview_->SetPicture(before ? before_ : picture_);
        preview_->SetMarks(before ? std::vector<bool>{} : differing_, changedCells_);
    });

    auto* side = new QVBoxLayout;
    side->addLayout(form);
    side->addWidget(verdictLabel_);
    side->addWidget(repair_);
    side->addWidget(repairLabel_);
    side->addWidget(showBefore_);
    auto* hint = new QLabel(QStringLiteral("Щелчок по клетке ставит выбранный цвет, правый щелчок — белый. "
                                           "С клавиатуры: стрелки, Пробел — цвет, X — белый, "
                                           "Shift+стрелка тянет клетку дальше."),
                            this);
    hint->setWordWrap(true);
    side->addWidget(hint);
    side->addStretch(1);

    preview_ = new PuzzlePreview(this);
    connect(preview_, &PuzzlePreview::cellSet, this, &ConvertDialog::SetCell);
    scroll_ = new QScrollArea(this);
    connect(preview_, &PuzzlePreview::cursorMoved, this, [this](QPoint centre) { scroll_->ensureVisible(centre.x(), centre.y()); });
    scroll_->setWidget(preview_);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setMinimumSize(420, 420);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QStringLiteral("ОК"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addLayout(side);
    top->addWidget(scroll_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);
}

void ConvertDialog::Convert() {
    ConvertOptions options;
    options.maxWidth = options.maxHeight = size_->value();
    options.enlarge = true;
    options.colours = colours_->value();
    options.background = light_->value();
    Picture4 converted;
    std::string error;
    if (!ConvertPicture(image_, options, converted, error)) {
        // Nothing but background: an empty puzzle of the size, to show what the settings give.
        int w = 1, h = 1;
        FitSize(image_.width, image_.height, options, w, h);
        converted.width = w;
        converted.height = h;
        converted.palette = {kWhite};
        converted.indices.assign(std::size_t(w * h), 0);
    }
    picture_ = converted;
    changedCells_.clear();
    changed_ = 0;
    repairLabel_->clear();
    showBefore_->setChecked(false);
    showBefore_->setEnabled(false);
    PictureChanged();
}

void ConvertDialog::SetCell(int column, int row, int index) {
    if (showBefore_->isChecked() || Repairing() || column < 0 || row < 0 || column >= picture_.width ||
        row >= picture_.height || index < 0 || index >= int(picture_.palette.size()))
        return;
    // White is index 0 in a drawing; a converted picture has white first as well.
    std::uint8_t& cell = picture_.indices[std::size_t(row * picture_.width + column)];
    if (cell == index) return;
    cell = std::uint8_t(index);
    PictureChanged();
}

void ConvertDialog::ShowPalette() {
    for (QToolButton* button : swatches_) delete button;
    swatches_.clear();
    currentIndex_ = std::clamp(currentIndex_, 1, std::max(1, int(picture_.palette.size()) - 1));
    for (std::size_t i = 1; i < picture_.palette.size(); ++i) {
        auto* button = new QToolButton(this);
        button->setCheckable(true);
        button->setChecked(int(i) == currentIndex_);
        button->setFixedSize(22, 22);
        button->setStyleSheet(QStringLiteral("QToolButton{background:%1;border:1px solid #888}"
                                             "QToolButton:checked{border:3px solid #1060ff}")
                                  .arg(ToQColor(picture_.palette[i]).name()));
        connect(button, &QToolButton::clicked, this, [this, i] {
            currentIndex_ = int(i);
            for (std::size_t k = 0; k < swatches_.size(); ++k) swatches_[k]->setChecked(int(k + 1) == currentIndex_);
            preview_->SetCurrentIndex(currentIndex_);
        });
        paletteRow_->addWidget(button);
        swatches_.push_back(button);
    }
    preview_->SetCurrentIndex(currentIndex_);
}

void ConvertDialog::PictureChanged() {
    differing_.clear();
    if (changedCells_.size() != picture_.indices.size()) changedCells_.clear();
    ShowPalette();
    preview_->SetPicture(picture_);
    preview_->SetMarks(differing_, changedCells_);
    FitPreview();
    StartVerdict();
}

void ConvertDialog::FitPreview() {
    const int frame = 2 * scroll_->frameWidth() + 2;
    QSize want = (preview_->size() + QSize(frame, frame)).expandedTo(QSize(420, 420));
    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        want = want.boundedTo(QSize(available.width() * 3 / 4 - 300, available.height() * 3 / 4));
    }
    scroll_->setMinimumSize(want);
}

int ConvertDialog::DifferingCells() const { return int(std::count(differing_.begin(), differing_.end(), true)); }

void ConvertDialog::StopVerdict() {
    if (verdictStop_) *verdictStop_ = true;
    if (verdictThread_.joinable()) verdictThread_.join();
    verdictStop_.reset();
}

void ConvertDialog::StartVerdict() {
    StopVerdict();
    const unsigned generation = ++generation_;
    solutions_ = 0;
    if (!AnyColoured(picture_)) {
        verdict_ = Verdict::Empty;
        ShowVerdict();
        return;
    }
    verdict_ = Verdict::Checking;
    ShowVerdict();
    auto stop = std::make_shared<std::atomic<bool>>(false);
    verdictStop_ = stop;
    const Puzzle puzzle = PuzzleFromPicture(picture_);
    verdictThread_ = std::thread([this, stop, puzzle, generation] {
        TimedCount count = CountWithin(puzzle, 100, std::chrono::seconds(10), 20, GridSearch::Options{}, stop.get());
        if (*stop) return;
        QMetaObject::invokeMethod(this, [this, generation, count = std::move(count)] {
            if (generation != generation_) return;
            solutions_ = count.solutions;
            capped_ = count.capped || count.timedOut;
            if (count.solutions >= 2) {
                verdict_ = Verdict::Several;
                differing_.assign(picture_.indices.size(), false);
                for (std::size_t g = 1; g < count.grids.size(); ++g)
                    for (std::size_t i = 0; i < differing_.size(); ++i)
                        if (count.grids[g][i] != count.grids[0][i]) differing_[i] = true;
            } else if (count.solutions == 1 && !count.timedOut) {
                verdict_ = Verdict::Unique;
            } else {
                verdict_ = Verdict::Undecided;
            }
            if (!showBefore_->isChecked()) preview_->SetMarks(differing_, changedCells_);
            ShowVerdict();
        }, Qt::QueuedConnection);
    });
}

void ConvertDialog::ShowVerdict() {
    switch (verdict_) {
        case Verdict::Checking:
            verdictLabel_->setText(QStringLiteral("Проверка решения..."));
            break;
        case Verdict::Unique:
            verdictLabel_->setText(QStringLiteral("Решение единственное."));
            break;
        case Verdict::Several:
            verdictLabel_->setText(QStringLiteral("Решений: %1%2. Клетки, где решения расходятся, перечёркнуты красным.")
                                       .arg(capped_ ? QStringLiteral("не меньше ") : QString())
                                       .arg(solutions_));
            break;
        case Verdict::Undecided:
            verdictLabel_->setText(QStringLiteral("Решатель не пришёл к ответу за 10 секунд."));
            break;
        case Verdict::Empty:
            verdictLabel_->setText(QStringLiteral("На рисунке нет ни одной закрашенной клетки."));
            break;
    }
    ok_->setEnabled(verdict_ == Verdict::Unique && !Repairing());
    repair_->setEnabled((verdict_ == Verdict::Several || verdict_ == Verdict::Undecided) && !Repairing());
}

void ConvertDialog::StartRepair() {
    if (Repairing() || (verdict_ != Verdict::Several && verdict_ != Verdict::Undecided)) return;
    StopVerdict();
    if (repairThread_.joinable()) repairThread_.join();
    before_ = picture_;
    repairing_ = true;
    for (QSpinBox* box : {size_, colours_, light_, width_, height_})
        if (box) box->setEnabled(false);
    repairLabel_->setText(QStringLiteral("Исправление..."));
    ShowVerdict();
    const Picture4 start = picture_;
    repairThread_ = std::thread([this, start] {
        RepairLimits limits;
        limits.time = std::chrono::seconds(10);
        RepairResult result = MakeUnique(start, limits);
        QMetaObject::invokeMethod(this, [this, result = std::move(result)] {
            if (repairThread_.joinable()) repairThread_.join();
            repairing_ = false;
            for (QSpinBox* box : {size_, colours_, light_, width_, height_})
                if (box) box->setEnabled(true);
            picture_ = result.picture;
            changed_ = result.changed;
            changedCells_.assign(picture_.indices.size(), false);
            for (std::size_t i = 0; i < changedCells_.size(); ++i)
                changedCells_[i] = picture_.indices[i] != before_.indices[i];
            repairLabel_->setText(result.unique
                                      ? QStringLiteral("Изменено клеток: %1 (обведены синим).").arg(result.changed)
                                      : QStringLiteral("Сделать однозначным не удалось (изменено клеток: %1).").arg(result.changed));
            showBefore_->setEnabled(true);
            PictureChanged();
        }, Qt::QueuedConnection);
    });
}

}  // namespace mosgrid
