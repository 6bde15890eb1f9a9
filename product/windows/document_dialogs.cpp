// The question and the list of figures that opening and saving selection
// documents show.

#include "product/windows/document_dialogs.h"

#include "shell/qt/qt_text.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <memory>

namespace tavro {

namespace {

// Dialog borders with only the system menu and the close button.
constexpr Qt::WindowFlags kDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowCloseButtonHint;

// The font of the main window (the first form), as the message dialog uses.
QFont OwnerFont(QWidget* parent) {
    if (parent) return parent->window()->font();
    return QApplication::font();
}

} // namespace

TFormDokumentFrage::TFormDokumentFrage(const QString& question, const QString& title,
                                       const std::vector<std::pair<QString, int>>& answers,
                                       QWidget* parent)
    : TVkForm(parent) {
    setWindowFlags(kDialogFlags);
    setObjectName(QStringLiteral("DokumentFrage"));
    setWindowTitle(title);
    setFont(OwnerFont(parent));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("Image"));
    icon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32));
    icon->setAlignment(Qt::AlignTop);
    row->addWidget(icon);
    question_ = new QLabel(question, this);
    question_->setObjectName(QStringLiteral("Frage"));
    question_->setWordWrap(true);
    question_->setMinimumWidth(320);
    question_->setMaximumWidth(520);
    question_->setTextFormat(Qt::PlainText);
    row->addWidget(question_, 1);
    layout->addLayout(row);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    int cancel = -1;
    for (const auto& [text, result] : answers) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QStringLiteral("Antwort%1").arg(result));
        b->setMinimumWidth(88);
        SetButtonResult(b, result);
        buttons->addWidget(b);
        buttons_.emplace_back(b, result);
        if (result == mrCancel) cancel = static_cast<int>(buttons_.size()) - 1;
    }
    layout->addLayout(buttons);
    if (!buttons_.empty()) {
        SetDefaultButton(buttons_.front().first);
        SetCancelButton(buttons_[cancel >= 0 ? cancel : buttons_.size() - 1].first);
        buttons_.front().first->setFocus();
    }
    adjustSize();
    setFixedSize(sizeHint());
    CentreOnScreen();
}

QString TFormDokumentFrage::Question() const {
    return question_->text();
}

QPushButton* TFormDokumentFrage::Button(int result) const {
    for (const auto& [button, r] : buttons_) {
        if (r == result) return button;
    }
    return nullptr;
}

int AskDocumentQuestion(QWidget* parent, const QString& question, const QString& title,
                        const std::vector<std::pair<QString, int>>& answers) {
    const auto form = std::make_unique<TFormDokumentFrage>(question, title, answers, parent);
    const int result = form->ShowModal();
    // Closing the window counts as the cancel button.
    if (result == mrCancel && !form->Button(mrCancel) && !answers.empty())
        return answers.back().second;
    return result;
}

TFormZahlenliste::TFormZahlenliste(const QString& title, const QString& explanation,
                                   const QStringList& headings,
                                   const std::vector<QStringList>& rows, QWidget* parent)
    : TVkForm(parent) {
    setWindowFlags(kDialogFlags);
    setObjectName(QStringLiteral("Zahlenliste"));
    setWindowTitle(title);
    setFont(OwnerFont(parent));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    explanation_ = new QLabel(explanation, this);
    explanation_->setObjectName(QStringLiteral("Erklaerung"));
    explanation_->setWordWrap(true);
    explanation_->setTextFormat(Qt::PlainText);
    layout->addWidget(explanation_);
    table_ =
        new QTableWidget(static_cast<int>(rows.size()), static_cast<int>(headings.size()), this);
    table_->setObjectName(QStringLiteral("Zahlen"));
    table_->setHorizontalHeaderLabels(headings);
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < headings.size() && c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            // Figures right-aligned, names left-aligned.
            if (c >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setMinimumSize(560, 260);
    layout->addWidget(table_, 1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setMinimumWidth(88);
    SetButtonResult(ok, mrOk);
    SetDefaultButton(ok);
    SetCancelButton(ok);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    resize(640, 420);
    CentreOnScreen();
}

QString TFormZahlenliste::Explanation() const {
    return explanation_->text();
}

QString TFormZahlenliste::Cell(int row, int col) const {
    const QTableWidgetItem* item = table_->item(row, col);
    return item ? item->text() : QString();
}

} // namespace tavro
