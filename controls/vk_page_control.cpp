// TVkPageControl and its tab bar, which can wrap its tabs into rows.

#include "controls/tab_rows.h"
#include "controls/vk_controls.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyleOption>
#include <QStylePainter>
#include <QTabBar>

#include <algorithm>

namespace tavro {

namespace {

/// The tab bar of TVkPageControl: each caption in the font of its page;
/// in multi-line mode the tabs wrap into rows as wide as the page control.
class PageTabBar : public QTabBar {
public:
    explicit PageTabBar(QTabWidget* owner) : QTabBar(owner), owner_(owner) {
        setElideMode(Qt::ElideNone);
        setUsesScrollButtons(true);
        connect(this, &QTabBar::currentChanged, this, [this] {
            // The row of the selected tab moves next to the pages.
            if (multiLine_) update();
        });
    }

    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool multi) {
        if (multi == multiLine_) return;
        multiLine_ = multi;
        setUsesScrollButtons(!multi);
        hover_ = -1;
        Relayout();
    }

    /// Lets the owner place the bar and the pages again (the number of
    /// rows may have changed).
    void Relayout() {
        if (relayingOut_) return;
        relayingOut_ = true;
        updateGeometry();
        QEvent request(QEvent::LayoutRequest);
        QApplication::sendEvent(owner_, &request);
        update();
        relayingOut_ = false;
    }

    QFont PageFont(int index) const {
        const QWidget* page = owner_->widget(index);
        return page != nullptr ? page->font() : font();
    }

    bool AtBottom() const {
        return shape() == QTabBar::RoundedSouth || shape() == QTabBar::TriangularSouth;
    }

    TabRows Rows() const {
        std::vector<int> widths;
        int height = 0;
        for (int i = 0; i < count(); ++i) {
            const QSize s = isTabVisible(i) ? tabSizeHint(i) : QSize();
            widths.push_back(s.width());
            height = std::max(height, s.height());
        }
        return LayOutTabRows(widths, owner_->width(), height, currentIndex(), !AtBottom());
    }

    /// The rectangle of tab `index` as it is drawn.
    QRect TabArea(int index) const {
        if (!multiLine_) return tabRect(index);
        const TabRows rows = Rows();
        return index >= 0 && index < count() ? rows.rects[static_cast<size_t>(index)] : QRect();
    }

    QRect CaptionRect(int index) const {
        // Centred in the tab; the tabs that are not selected sit lower (at
        // the bottom: higher) by the style's shift, as the style draws them.
        QRect r = TabArea(index);
        if (index != currentIndex()) {
            QStyleOptionTab opt;
            initStyleOption(&opt, index);
            const int shift = style()->pixelMetric(QStyle::PM_TabBarTabShiftVertical, &opt, this);
            r.translate(0, AtBottom() ? -shift : shift);
        }
        return r;
    }

    QSize sizeHint() const override {
        if (!multiLine_) return QTabBar::sizeHint();
        return QSize(owner_->width(), Rows().height);
    }
    QSize minimumSizeHint() const override {
        if (!multiLine_) return QTabBar::minimumSizeHint();
        return sizeHint();
    }

protected:
    QSize tabSizeHint(int index) const override {
        QSize s = QTabBar::tabSizeHint(index);
        const QString text = tabText(index);
        const QFontMetrics bar(font());
        const QFontMetrics page(PageFont(index));
        s.rwidth() += page.size(Qt::TextShowMnemonic, text).width() -
                      bar.size(Qt::TextShowMnemonic, text).width();
        s.setHeight(std::max(s.height(), s.height() + page.height() - bar.height()));
        return s;
    }

    void tabLayoutChange() override {
        QTabBar::tabLayoutChange();
        if (multiLine_) Relayout();
    }

    void paintEvent(QPaintEvent*) override {
        QStylePainter p(this);
        const int selected = currentIndex();
        const TabRows rows = multiLine_ ? Rows() : TabRows();
        auto draw = [&](int i) {
            if (!isTabVisible(i)) return;
            QStyleOptionTab opt;
            initStyleOption(&opt, i);
            if (multiLine_) {
                // The bar's own layout knows one row only: place the tab
                // in its row and tell the style its neighbours there.
                opt.rect = rows.rects[static_cast<size_t>(i)];
                const int row = rows.rowOf[static_cast<size_t>(i)];
                auto inRow = [&](int k) {
                    return k >= 0 && k < count() && rows.rowOf[static_cast<size_t>(k)] == row;
                };
                const bool first = !inRow(i - 1);
                const bool last = !inRow(i + 1);
                opt.position = first && last ? QStyleOptionTab::OnlyOneTab
                               : first       ? QStyleOptionTab::Beginning
                               : last        ? QStyleOptionTab::End
                                             : QStyleOptionTab::Middle;
                opt.selectedPosition =
                    inRow(selected) && selected == i - 1   ? QStyleOptionTab::PreviousIsSelected
                    : inRow(selected) && selected == i + 1 ? QStyleOptionTab::NextIsSelected
                                                           : QStyleOptionTab::NotAdjacent;
                opt.state.setFlag(QStyle::State_MouseOver, i == hover_ && isTabEnabled(i));
            }
            // The caption is drawn whole, never shortened.
            const QString text = tabText(i);
            opt.text.clear();
            p.drawControl(QStyle::CE_TabBarTabShape, opt);
            p.setFont(PageFont(i));
            QPen pen(palette().color(isTabEnabled(i) ? QPalette::Active : QPalette::Disabled,
                                     QPalette::WindowText));
            p.setPen(pen);
            p.drawText(CaptionRect(i), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                       text);
        };
        for (int i = 0; i < count(); ++i) {
            if (i != selected) draw(i);
        }
        if (selected >= 0) draw(selected);
    }

    int TabAt(const QPoint& pos) const {
        const TabRows rows = Rows();
        for (int i = 0; i < count(); ++i) {
            if (rows.rects[static_cast<size_t>(i)].contains(pos)) return i;
        }
        return -1;
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (!multiLine_) {
            QTabBar::mousePressEvent(event);
            return;
        }
        if (event->button() != Qt::LeftButton) {
            event->ignore();
            return;
        }
        const int i = TabAt(event->position().toPoint());
        if (i >= 0 && isTabEnabled(i)) setCurrentIndex(i);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!multiLine_) QTabBar::mouseMoveEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (!multiLine_) QTabBar::mouseReleaseEvent(event);
    }

    bool event(QEvent* event) override {
        if (multiLine_ &&
            (event->type() == QEvent::HoverMove || event->type() == QEvent::HoverEnter ||
             event->type() == QEvent::HoverLeave)) {
            const int hover = event->type() == QEvent::HoverLeave
                                  ? -1
                                  : TabAt(static_cast<QHoverEvent*>(event)->position().toPoint());
            if (hover != hover_) {
                hover_ = hover;
                update();
            }
            return true;
        }
        return QTabBar::event(event);
    }

private:
    QTabWidget* owner_;
    bool multiLine_ = false;
    int hover_ = -1; ///< the tab under the mouse in multi-line mode
    bool relayingOut_ = false;
};

} // namespace

TVkPageControl::TVkPageControl(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new PageTabBar(this));
}

int TVkPageControl::AddPage(TVkTabSheet* page, const QString& caption) {
    return addTab(page, caption);
}

QRect TVkPageControl::CaptionRect(int index) const {
    return static_cast<const PageTabBar*>(tabBar())->CaptionRect(index);
}

QRect TVkPageControl::TabArea(int index) const {
    return static_cast<const PageTabBar*>(tabBar())->TabArea(index);
}

bool TVkPageControl::MultiLine() const {
    return static_cast<const PageTabBar*>(tabBar())->MultiLine();
}

void TVkPageControl::SetMultiLine(bool multi) {
    static_cast<PageTabBar*>(tabBar())->SetMultiLine(multi);
}

int TVkPageControl::RowCount() const {
    const auto* bar = static_cast<const PageTabBar*>(tabBar());
    return bar->MultiLine() ? bar->Rows().rows : (count() > 0 ? 1 : 0);
}

void TVkPageControl::resizeEvent(QResizeEvent* event) {
    QTabWidget::resizeEvent(event);
    // The rows follow the width.
    if (MultiLine()) static_cast<PageTabBar*>(tabBar())->Relayout();
}

void TVkPageControl::tabInserted(int index) {
    QTabWidget::tabInserted(index);
    if (QWidget* page = widget(index)) page->installEventFilter(this);
}

bool TVkPageControl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FontChange && indexOf(qobject_cast<QWidget*>(watched)) >= 0) {
        // Setting a caption again makes the bar measure its tabs anew.
        for (int i = 0; i < count(); ++i)
            tabBar()->setTabText(i, tabText(i));
        tabBar()->update();
    }
    return QTabWidget::eventFilter(watched, event);
}

} // namespace tavro
