#include "ui/system_scale.h"

#include "ui/screen.h"

#include <QApplication>
#include <QFontInfo>
#include <QIcon>
#include <QPainter>
#include <QPointer>
#include <QPolygonF>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <cmath>

namespace ui {
namespace {

// Fusion, with every size it gives multiplied by the screen's growth. Fusion draws its
// indicators and frames to the rectangles it is given, so they follow in proportion; its arrows
// and the room around a menu item's text keep fixed sizes, and are grown here.
class ScaledStyle : public QProxyStyle {
public:
    explicit ScaledStyle(double factor)
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), factor_(factor) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        return scaled(QProxyStyle::pixelMetric(metric, option, widget));
    }

    int layoutSpacing(QSizePolicy::ControlType a, QSizePolicy::ControlType b,
                      Qt::Orientation orientation, const QStyleOption* option,
                      const QWidget* widget) const override {
        return scaled(QProxyStyle::layoutSpacing(a, b, orientation, option, widget));
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        // A separator in the menu bar sends the items after it to the bar's right end, where
        // captions that start with blanks were meant to stand.
        if (hint == SH_DrawMenuBarSeparator) return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        const QIcon base = QProxyStyle::standardIcon(icon, option, widget);
        const bool boxIcon = icon == SP_MessageBoxInformation || icon == SP_MessageBoxWarning ||
                             icon == SP_MessageBoxCritical || icon == SP_MessageBoxQuestion;
        if (!boxIcon || base.isNull() || factor_ == 1.0) return base;
        // The style's own pictures stop at their ordinary size; a message box's icon grows too.
        const QPixmap ordinary =
            base.pixmap(QProxyStyle::pixelMetric(PM_MessageBoxIconSize, option, widget));
        const int side = scaled(ordinary.width());
        return QIcon(ordinary.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        const QSize base = QProxyStyle::sizeFromContents(type, option, size, widget);
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (type != CT_MenuItem || !item || factor_ == 1.0) return base;
        // Fusion adds the same pixels around a menu item's text at every size: here the room
        // it adds grows, and its least width too.
        const auto ordinaryRoom = [&](int width) {
            const QSize s =
                QProxyStyle::sizeFromContents(type, option, {width, size.height()}, widget);
            return s.width() - width;
        };
        const int pastLeastWidth = 100000;
        const int width =
            std::max(size.width() + scaled(ordinaryRoom(pastLeastWidth)), scaled(ordinaryRoom(0)));
        const int height = item->menuItemType == QStyleOptionMenuItem::Separator
                               ? scaled(base.height())
                               : size.height() + scaled(base.height() - size.height());
        return {width, height};
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuItem && item && factor_ != 1.0 &&
            item->menuItemType != QStyleOptionMenuItem::Separator) {
            drawMenuItem(*item, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (isArrow(element) && factor_ != 1.0) {
            drawArrow(element, *option, painter);
            return;
        }
        if (element == PE_FrameFocusRect && factor_ > 1.4) {
            // Fusion's focus frame is a hairline; it keeps its weight relative to the screen.
            if (!(option->state & State_KeyboardFocusChange)) return;
            painter->save();
            QPen pen(option->palette.highlight().color());
            pen.setWidthF(std::round(factor_));
            painter->setPen(pen);
            painter->setBrush(Qt::NoBrush);
            const qreal half = pen.widthF() / 2;
            painter->drawRect(QRectF(option->rect).adjusted(half, half, -half, -half));
            painter->restore();
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    double factor() const { return factor_; }

private:
    static bool isArrow(PrimitiveElement e) {
        return e == PE_IndicatorArrowUp || e == PE_IndicatorArrowDown ||
               e == PE_IndicatorArrowLeft || e == PE_IndicatorArrowRight;
    }

    // Fusion's arrow, a triangle of 8 by 14 pixels at most, grown with the screen: Fusion's own
    // stops at that size in any rectangle.
    void drawArrow(PrimitiveElement element, const QStyleOption& option, QPainter* painter) const {
        const QRectF r = option.rect;
        if (r.width() <= 1 || r.height() <= 1) return;
        const qreal length = std::min({8 * factor_, r.width(), r.height()});
        const qreal breadth = length * 8 / 14;
        const bool across = element == PE_IndicatorArrowLeft || element == PE_IndicatorArrowRight;
        QRectF a(0, 0, across ? breadth : length, across ? length : breadth);
        a.moveCenter(r.center());
        QPolygonF triangle;
        switch (element) {
        case PE_IndicatorArrowRight:
            triangle << a.topLeft() << a.bottomLeft() << QPointF(a.right(), a.center().y());
            break;
        case PE_IndicatorArrowLeft:
            triangle << a.topRight() << a.bottomRight() << QPointF(a.left(), a.center().y());
            break;
        case PE_IndicatorArrowDown:
            triangle << a.topLeft() << a.topRight() << QPointF(a.center().x(), a.bottom());
            break;
        default:
            triangle << a.bottomLeft() << a.bottomRight() << QPointF(a.center().x(), a.top());
            break;
        }
        QColor colour = option.palette.windowText().color();
        colour.setAlpha(160);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(colour);
        painter->drawPolygon(triangle);
        painter->restore();
    }

    // A menu item as Fusion lays it out on the smallest screen, grown. Fusion draws the
    // highlight and the check mark (its check column already follows the item's height), then
    // the text, moved to where it stands in proportion; the submenu arrow comes last, at the
    // screen's size, where Fusion would keep it small and against the border.
    void drawMenuItem(const QStyleOptionMenuItem& item, QPainter* painter,
                      const QWidget* widget) const {
        QStyleOptionMenuItem frame = item;
        frame.text.clear();
        frame.menuItemType = QStyleOptionMenuItem::Normal;
        QProxyStyle::drawControl(CE_MenuItem, &frame, painter, widget);

        const bool enabled = item.state & State_Enabled;
        const bool selected = enabled && (item.state & State_Selected);
        const bool leftToRight = item.direction != Qt::RightToLeft;
        if (!item.text.isEmpty()) {
            QStyleOptionMenuItem words = item;
            words.menuItemType = QStyleOptionMenuItem::Normal;
            words.checkType = QStyleOptionMenuItem::NotCheckable;
            words.icon = QIcon();
            if (selected) {
                // Over the highlight already drawn, in its text colour.
                words.state &= ~State_Selected;
                words.palette.setColor(QPalette::Text, item.palette.highlightedText().color());
            }
            const int shift = textShift(item);
            words.rect =
                item.rect.adjusted(leftToRight ? shift : 0, 0, leftToRight ? 0 : -shift, 0);
            QProxyStyle::drawControl(CE_MenuItem, &words, painter, widget);
        }

        if (item.menuItemType != QStyleOptionMenuItem::SubMenu) return;
        const QRect r = item.rect;
        const int side = (r.height() - scaled(4)) / 2;
        const QRect box(r.right() + 1 - scaled(3) - side, r.top() + r.height() / 2 - side / 2, side,
                        side);
        QStyleOptionMenuItem arrow = item;
        arrow.rect = visualRect(item.direction, r, box);
        arrow.state = enabled ? State_Enabled : State_None;
        if (selected)
            arrow.palette.setColor(QPalette::WindowText, item.palette.highlightedText().color());
        proxy()->drawPrimitive(leftToRight ? PE_IndicatorArrowRight : PE_IndicatorArrowLeft, &arrow,
                               painter, widget);
    }

    // Where Fusion starts a menu item's text from the item's edge: 7 pixels about its check
    // column, which is the widest icon, 21 pixels at least, or most of the item's height.
    static int fusionTextStart(int height, int iconWidth) {
        return 7 + std::max(int(height * 0.79), std::max(iconWidth, 21));
    }
    // How far the text moves from there to its place on the smallest screen, grown.
    int textShift(const QStyleOptionMenuItem& item) const {
        const auto ordinary = [this](int v) { return int(std::lround(v / factor_)); };
        return scaled(fusionTextStart(ordinary(item.rect.height()), ordinary(item.maxIconWidth))) -
               fusionTextStart(item.rect.height(), item.maxIconWidth);
    }

    int scaled(int value) const {
        if (value <= 0 || factor_ == 1.0) return value;
        return std::max(1, int(std::lround(value * factor_)));
    }
    double factor_;
};

double current = 0; // 0: not applied yet
int basePixels = 0; // the system font's size on a 640-pixel screen

class Stage : public QWidget {
public:
    Stage(QWidget* screen, std::function<QColor()> colour)
        : screen_(screen), colour_(std::move(colour)) {
        screen->setParent(this);
        screen->show();
    }

protected:
    void resizeEvent(QResizeEvent*) override {
        if (screen_) screen_->setGeometry(screenArea(size()));
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), colour_());
    }

private:
    QPointer<QWidget> screen_;
    std::function<QColor()> colour_;
};

} // namespace

double screenGrowth() {
    const ScreenMetrics m = screenMetrics();
    return std::clamp(m.widthTwips / 9600.0, 1.0, 3.2);
}

void followScreenSize() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    const double factor = screenGrowth();
    if (factor == current) return;
    QFont font = QApplication::font();
    if (basePixels == 0) basePixels = QFontInfo(font).pixelSize();
    current = factor;
    font.setPixelSize(std::max(1, int(std::lround(basePixels * factor))));
    // The style first: setting the font then lays every widget out once, with both.
    QApplication::setStyle(new ScaledStyle(factor));
    QApplication::setFont(font);
}

QRect screenArea(QSize outer) {
    const ScreenMetrics m = screenMetrics();
    const int width = std::min(outer.width(), int(std::lround(m.widthTwips / 15.0)));
    const int height = std::min(outer.height(), int(std::lround(m.heightTwips / 15.0)));
    return QRect((outer.width() - width) / 2, (outer.height() - height) / 2, width, height);
}

QWidget* makeStage(QWidget* screen, std::function<QColor()> colour) {
    return new Stage(screen, std::move(colour));
}

} // namespace ui
