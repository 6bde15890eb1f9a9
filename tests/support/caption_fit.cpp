#include "tests/support/caption_fit.h"

#include "controls/daten_grid.h"
#include "controls/vk_controls.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace tavro::test {

namespace {

// Room kept free between a caption and the edge of its parent, and inside a
// push button's bevel.
constexpr int kEdgeMargin = 2;
constexpr int kButtonPadding = 2;

QString PathOf(const QWidget* w, const QWidget* root) {
    QStringList parts;
    for (const QWidget* p = w; p != nullptr && p != root; p = p->parentWidget()) {
        const QString name = p->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) parts.prepend(name);
    }
    return parts.isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                           : parts.join(QLatin1Char('/'));
}

bool IsNamed(const QWidget* w) {
    const QString n = w->objectName();
    return !n.isEmpty() && !n.startsWith(QLatin1String("qt_"));
}

QString Needs(int need, int room) {
    return QStringLiteral("needs %1 px, has %2 px").arg(need).arg(room);
}

// What a control occupies of its parent, and where its caption is drawn.
struct Look {
    bool leaf = false; // a control that must not overlap its siblings
    QRect occupied;    // in the parent's coordinates
    QRect caption;     // in the parent's coordinates; empty: no caption
};

class Inspector {
public:
    Inspector(QWidget& root, const QStringList& backgrounds)
        : root_(root), backgrounds_(backgrounds) {}

    std::vector<Misfit> Run() {
        Visit(root_);
        return std::move(misfits_);
    }

private:
    void Add(const QWidget* w, const QString& text, const QString& problem) {
        misfits_.push_back({PathOf(w, &root_), text, problem});
    }

    // A caption of `text` drawn with `flags` into `room` of widget `w`: it
    // must fit the room; returns where it is drawn.
    QRect Caption(const QWidget* w, const QFont& font, const QRect& room, int flags,
                  const QString& text) {
        const QFontMetrics fm(font);
        const QRect drawn = fm.boundingRect(room, flags, text);
        if (drawn.width() > room.width()) {
            Add(w, text, Needs(drawn.width(), room.width()));
        } else if (drawn.height() > room.height()) {
            Add(w, text,
                QStringLiteral("needs %1 px of height, has %2 px")
                    .arg(drawn.height())
                    .arg(room.height()));
        }
        return drawn.intersected(room);
    }

    void Visit(QWidget& parent) {
        std::vector<std::pair<QWidget*, Look>> looks;
        for (QObject* o : parent.children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w == nullptr || w->isWindow() || !w->isVisibleTo(&root_)) continue;
            Look look = Inspect(*w);
            if (IsNamed(w)) Contained(*w, look);
            looks.emplace_back(w, look);
            if (Descend(*w)) Visit(*w);
        }
        Overlaps(looks);
    }

    static bool Descend(const QWidget& w) {
        // Composite Qt controls are inspected as a whole.
        return !(qobject_cast<const QComboBox*>(&w) || qobject_cast<const QLineEdit*>(&w) ||
                 qobject_cast<const QAbstractScrollArea*>(&w) || qobject_cast<const QTabBar*>(&w) ||
                 qobject_cast<const QAbstractButton*>(&w) || qobject_cast<const QMenuBar*>(&w) ||
                 qobject_cast<const TDatenGrid*>(&w));
    }

    Look Inspect(QWidget& w) {
        Look look;
        look.occupied = w.geometry();
        const QPoint at = w.pos();
        if (auto* l = qobject_cast<QLabel*>(&w)) {
            look.leaf = true;
            if (!l->pixmap().isNull()) return look;
            if (l->text().isEmpty()) {
                look.occupied = QRect();
                return look;
            }
            const int m = l->margin();
            const QRect room = l->contentsRect().adjusted(m, m, -m, -m);
            int flags = static_cast<int>(l->alignment());
            flags |= l->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
            look.caption = Caption(l, l->font(), room, flags, l->text()).translated(at);
            look.occupied = look.caption;
        } else if (auto* c = qobject_cast<TVkCheckBox*>(&w)) {
            look = ButtonLook(*c, c->CaptionArea(),
                              Qt::AlignLeft | Qt::AlignVCenter |
                                  (c->WordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine));
        } else if (auto* r = qobject_cast<TVkRadioButton*>(&w)) {
            look = ButtonLook(*r, r->CaptionArea(),
                              Qt::AlignLeft | Qt::AlignTop |
                                  (r->WordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine));
        } else if (qobject_cast<QCheckBox*>(&w) || qobject_cast<QRadioButton*>(&w)) {
            auto& b = static_cast<QAbstractButton&>(w);
            QStyleOptionButton opt;
            opt.initFrom(&b);
            opt.text = b.text();
            const auto element = qobject_cast<QCheckBox*>(&w) ? QStyle::SE_CheckBoxContents
                                                              : QStyle::SE_RadioButtonContents;
            const QRect c2 = b.style()->subElementRect(element, &opt, &b);
            look = ButtonLook(b, QRect(c2.left(), 0, b.width() - c2.left(), b.height()),
                              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
        } else if (auto* p = qobject_cast<QPushButton*>(&w)) {
            look.leaf = true;
            if (!p->text().isEmpty()) {
                QStyleOptionButton opt;
                opt.initFrom(p);
                opt.text = p->text();
                const QRect room = p->style()
                                       ->subElementRect(QStyle::SE_PushButtonContents, &opt, p)
                                       .adjusted(kButtonPadding, 0, -kButtonPadding, 0);
                look.caption =
                    Caption(p, p->font(), room,
                            Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, p->text())
                        .translated(at);
            }
        } else if (qobject_cast<QToolButton*>(&w)) {
            look.leaf = true;
        } else if (auto* cb = qobject_cast<QComboBox*>(&w)) {
            look.leaf = true;
            Combo(*cb);
        } else if (auto* e = qobject_cast<QLineEdit*>(&w)) {
            look.leaf = true;
            if (e->isReadOnly() && !e->text().isEmpty()) {
                const int frame = e->hasFrame() ? 2 : 0;
                const QMargins tm = e->textMargins();
                const QRect room = e->rect()
                                       .adjusted(frame + tm.left(), 0, -frame - tm.right(), 0)
                                       .adjusted(2, 0, -2, 0);
                look.caption =
                    Caption(e, e->font(), room,
                            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, e->text())
                        .translated(at);
            }
        } else if (auto* g = qobject_cast<TDatenGrid*>(&w)) {
            Grid(*g);
        } else if (auto* tw = qobject_cast<QTabWidget*>(&w)) {
            look.leaf = true;
            Tabs(*tw);
        } else if (auto* v = qobject_cast<QAbstractItemView*>(&w)) {
            look.leaf = true;
            Items(*v);
        } else if (auto* mb = qobject_cast<QMenuBar*>(&w)) {
            MenuBar(*mb);
        }
        return look;
    }

    Look ButtonLook(QAbstractButton& b, const QRect& area, int flags) {
        Look look;
        look.leaf = true;
        look.occupied = b.geometry();
        if (b.text().isEmpty()) return look;
        const QRect drawn =
            Caption(&b, b.font(), area, flags | Qt::TextShowMnemonic, b.text()).translated(b.pos());
        look.caption = drawn;
        // The indicator and the caption; the rest of the control is empty.
        look.occupied = QRect(b.geometry().topLeft(), drawn.bottomRight())
                            .united(QRect(b.pos(), QSize(area.left(), b.height())));
        return look;
    }

    void Combo(QComboBox& c) {
        QStyleOptionComboBox opt;
        opt.initFrom(&c);
        opt.editable = c.isEditable();
        opt.frame = c.hasFrame();
        const QRect field =
            c.style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, &c);
        const int room = field.width() - 4;
        const QFontMetrics fm(c.font());
        for (int i = 0; i < c.count(); ++i) {
            const int need = fm.horizontalAdvance(c.itemText(i));
            if (need > room) Add(&c, c.itemText(i), Needs(need, room));
        }
    }

    void Grid(TDatenGrid& g) {
        const QFontMetrics fm(g.font());
        for (int row = 0; row < g.RowCount(); ++row) {
            for (int col = 0; col < g.ColCount(); ++col) {
                const auto look = TDatenGrid::LookOf(g.Cell(col, row));
                if (look.align == TDatenGrid::CellAlign::None) continue;
                const QRect cell = g.CellRect(col, row);
                if (cell.isEmpty()) continue;
                const int room = cell.width() - 4;
                const int need = fm.horizontalAdvance(look.shown);
                if (need > room) {
                    Add(&g, look.shown,
                        QStringLiteral("cell %1,%2 ").arg(col).arg(row) + Needs(need, room));
                }
            }
        }
    }

    void Tabs(QTabWidget& tw) {
        QTabBar* bar = tw.tabBar();
        if (!bar->isVisibleTo(&root_)) return;
        auto* pc = qobject_cast<TVkPageControl*>(&tw);
        if (!tw.rect().contains(bar->geometry())) {
            Add(&tw, QString(), QStringLiteral("the tab bar reaches out of the page control"));
        }
        for (int i = 0; i < tw.count(); ++i) {
            if (!bar->isTabVisible(i)) continue;
            const QRect r = pc ? pc->CaptionRect(i) : bar->tabRect(i);
            const QWidget* page = tw.widget(i);
            const QFontMetrics fm(pc && page ? page->font() : bar->font());
            const QString text = bar->tabText(i);
            const int need = fm.size(Qt::TextSingleLine | Qt::TextShowMnemonic, text).width();
            // The style keeps this much of a tab free around its caption.
            const int room =
                r.width() - bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
            if (need > room) {
                Add(&tw, text, QStringLiteral("tab %1 ").arg(i) + Needs(need, room));
            } else if (r.left() < 0 || r.right() >= bar->width()) {
                Add(&tw, text, QStringLiteral("tab %1 lies outside the tab bar").arg(i));
            }
        }
    }

    void Items(QAbstractItemView& v) {
        const QAbstractItemModel* m = v.model();
        if (m == nullptr) return;
        const int margin = v.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &v) + 1;
        const QFontMetrics fm(v.font());
        auto* table = qobject_cast<QTableView*>(&v);
        auto* tree = qobject_cast<QTreeView*>(&v);
        for (int row = 0; row < m->rowCount(); ++row) {
            if (table && table->rowHeight(row) == 0) continue;
            for (int col = 0; col < m->columnCount(); ++col) {
                const QString text = m->index(row, col).data(Qt::DisplayRole).toString();
                if (text.isEmpty()) continue;
                const int width = table  ? table->columnWidth(col)
                                  : tree ? tree->columnWidth(col)
                                         : 0;
                const int need = fm.horizontalAdvance(text) + 2 * margin;
                if (need > width) {
                    Add(&v, text,
                        QStringLiteral("cell %1,%2 ").arg(col).arg(row) + Needs(need, width));
                }
            }
        }
        QHeaderView* header = tree ? tree->header() : nullptr;
        if (header == nullptr || !header->isVisibleTo(&root_)) return;
        const QFontMetrics hm(header->font());
        const int hmargin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int col = 0; col < m->columnCount(); ++col) {
            const QString text = m->headerData(col, Qt::Horizontal).toString();
            if (text.isEmpty()) continue;
            const int need = hm.horizontalAdvance(text) + 2 * hmargin;
            if (need > header->sectionSize(col)) {
                Add(header, text,
                    QStringLiteral("heading %1 ").arg(col) + Needs(need, header->sectionSize(col)));
            }
        }
    }

    void MenuBar(QMenuBar& mb) {
        for (QAction* a : mb.actions()) {
            if (!a->isVisible()) continue;
            const QRect r = mb.actionGeometry(a);
            if (r.isEmpty() || !mb.rect().contains(r))
                Add(&mb, a->text(), QStringLiteral("the menu title is not in the menu bar"));
        }
    }

    // A control, and its caption with a margin, lie inside the parent.
    void Contained(QWidget& w, const Look& look) {
        QWidget* parent = w.parentWidget();
        if (parent == nullptr) return;
        if (!look.caption.isEmpty()) {
            const QRect inner = parent->contentsRect().adjusted(kEdgeMargin, 0, -kEdgeMargin, 0);
            if (!inner.contains(look.caption)) {
                Add(&w, CaptionText(w),
                    QStringLiteral("reaches the edge of %1").arg(PathOf(parent, &root_)));
            }
        }
        if (look.leaf && !look.occupied.isEmpty() && !parent->rect().contains(look.occupied)) {
            Add(&w, CaptionText(w),
                QStringLiteral("lies partly outside %1").arg(PathOf(parent, &root_)));
        }
    }

    static QString CaptionText(const QWidget& w) {
        if (auto* l = qobject_cast<const QLabel*>(&w)) return l->text();
        if (auto* b = qobject_cast<const QAbstractButton*>(&w)) return b->text();
        if (auto* e = qobject_cast<const QLineEdit*>(&w)) return e->text();
        return {};
    }

    // No control, nor the caption of one, runs into a sibling control.
    void Overlaps(const std::vector<std::pair<QWidget*, Look>>& looks) {
        auto counts = [this](const QWidget* w, const Look& l) {
            return l.leaf && !l.occupied.isEmpty() && !backgrounds_.contains(w->objectName());
        };
        for (size_t i = 0; i < looks.size(); ++i) {
            const auto& [a, la] = looks[i];
            if (!counts(a, la)) continue;
            for (size_t j = i + 1; j < looks.size(); ++j) {
                const auto& [b, lb] = looks[j];
                if (!counts(b, lb) || !la.occupied.intersects(lb.occupied)) continue;
                // Pictures may touch each other; captions may not be touched.
                if (la.caption.isEmpty() && lb.caption.isEmpty()) continue;
                // Reported by the one with a caption.
                const bool swap = la.caption.isEmpty() && !lb.caption.isEmpty();
                const QWidget* by = swap ? b : a;
                const QWidget* other = swap ? a : b;
                Add(by, CaptionText(*by), QStringLiteral("overlaps %1").arg(PathOf(other, &root_)));
            }
        }
    }

    QWidget& root_;
    QStringList backgrounds_;
    std::vector<Misfit> misfits_;
};

} // namespace

std::vector<Misfit> FindMisfits(QWidget& window, const QStringList& backgrounds) {
    return Inspector(window, backgrounds).Run();
}

QString Describe(const std::vector<Misfit>& misfits, const QString& where) {
    QString out;
    for (const Misfit& m : misfits) {
        out += where + QStringLiteral(": ") + m.control + QStringLiteral(" \"") + m.text +
               QStringLiteral("\" ") + m.problem + QLatin1Char('\n');
    }
    return out;
}

} // namespace tavro::test
