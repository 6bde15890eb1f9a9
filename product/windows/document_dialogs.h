#pragma once

// The dialogs of the selection documents: a question with two or three
// answers, and a read-only list of figures (the figures a recalculation
// changed, or the figures a document stored). Both are forms of the
// program, so that tests answer them through TVkForm's modal hook.

#include "controls/vk_form.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace tavro {

/// The answers of a document question beside mrOk (the first button) and
/// mrCancel.
inline constexpr int mrDiscard = 3;

/// A question with its answers, each a button; the first is the default
/// button. Escape and closing the window answer mrCancel when one of the
/// buttons gives it, else the last button's answer.
class TFormDokumentFrage : public TVkForm {
    Q_OBJECT

public:
    /// `answers`: the button texts with the results they give.
    TFormDokumentFrage(const QString& question, const QString& title,
                       const std::vector<std::pair<QString, int>>& answers,
                       QWidget* parent = nullptr);

    QString Question() const;
    /// The button giving `result`, or nullptr.
    QPushButton* Button(int result) const;

private:
    QLabel* question_;
    std::vector<std::pair<QPushButton*, int>> buttons_;
};

/// Shows the question modally and returns the answer's result.
int AskDocumentQuestion(QWidget* parent, const QString& question, const QString& title,
                        const std::vector<std::pair<QString, int>>& answers);

/// A list of figures under an explanation: a table with a header row, no
/// cell editable, and an OK button.
class TFormZahlenliste : public TVkForm {
    Q_OBJECT

public:
    TFormZahlenliste(const QString& title, const QString& explanation, const QStringList& headings,
                     const std::vector<QStringList>& rows, QWidget* parent = nullptr);

    QString Explanation() const;
    QTableWidget* Table() const { return table_; }
    /// The text of a cell; empty outside the table.
    QString Cell(int row, int col) const;

private:
    QLabel* explanation_;
    QTableWidget* table_;
};

} // namespace tavro
