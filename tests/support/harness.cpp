#include "harness.h"

#include "grab.h"

#include "platform/cp1252.h"
#include "ui/text.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QTest>
#include <cxxabi.h>
#include <fstream>
#include <memory>
#include <sstream>

namespace harness {

void ScreenTest::SetUp() {
    clock = &ui::useManualClock();
    setScreen(640, 480);
    ui::setMessageService([this](const ui::MessageRequest& r) {
        std::string text = platform::cp1252ToUtf8(r.text);
        for (std::size_t p; (p = text.find("\r\n")) != std::string::npos;) text.replace(p, 2, "\n");
        boxes.push_back(Box{text, r.style, platform::cp1252ToUtf8(r.title)});
        grabScreens(QStringLiteral("box"));
        if (!answers.empty()) {
            const int a = answers.front();
            answers.pop_front();
            return a;
        }
        switch (r.style & 7) {
        case ui::vbOKCancel: return int(ui::vbOK);
        case ui::vbAbortRetryIgnore: return int(ui::vbAbort);
        case ui::vbYesNoCancel:
        case ui::vbYesNo: return int(ui::vbYes);
        case ui::vbRetryCancel: return int(ui::vbRetry);
        default: return int(ui::vbOK);
        }
    });
    ui::setEndHandler([this] { ended = true; });
    previousDir_ = std::filesystem::current_path();
    std::string tmpl = (std::filesystem::temp_directory_path() / "tavrel-XXXXXX").string();
    dataDir = mkdtemp(tmpl.data());
    std::filesystem::current_path(dataDir);
}

void ScreenTest::TearDown() {
    grabScreens(QStringLiteral("end"));
    ui::unloadAllForms();
    for (int i = 0; i < 3; ++i) ui::yield();
    ui::setMessageService({});
    ui::setEndHandler({});
    ui::resetScreenMetrics();
    ui::useSystemClock();
    std::filesystem::current_path(previousDir_);
    std::error_code ec;
    std::filesystem::remove_all(dataDir, ec);
}

void ScreenTest::setScreen(int w, int h, double tpp) {
    ui::setScreenMetrics(ui::ScreenMetrics{w * tpp, h * tpp, tpp, tpp});
}

void ScreenTest::writeFile(const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories(data(name).parent_path());
    std::ofstream out(data(name), std::ios::binary);
    out << bytes;
}

std::string ScreenTest::readFile(const std::string& name) const {
    std::ifstream in(data(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool ScreenTest::exists(const std::string& name) const {
    return std::filesystem::exists(data(name));
}

void ScreenTest::screenMissing(const std::type_info& type, const std::source_location& where) {
    int status = 0;
    const std::unique_ptr<char, void (*)(void*)> name(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    const std::string screen = status == 0 && name ? name.get() : type.name();
    ADD_FAILURE_AT(where.file_name(), int(where.line()))
        << "the screen " << screen << " is not loaded";
    throw ScreenMissing("the test stopped: no screen " + screen);
}

QWidget* ScreenTest::widgetFor(ui::Control& c, QPoint& centre) {
    if (QWidget* w = c.widget()) {
        if (auto* combo = dynamic_cast<ui::ComboBox*>(&c)) w = combo->editField();
        centre = QPoint(w->width() / 2, w->height() / 2);
        return w;
    }
    centre = c.pixelRect().center();
    return c.container().containerWidget();
}

void ScreenTest::mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                       Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
    ui::yield();
}

void ScreenTest::press(ui::Control& c, Qt::MouseButton button) {
    EXPECT_TRUE(seen(c)) << "a user cannot press a control that is not shown";
    QPoint p;
    QWidget* w = widgetFor(c, p);
    mouse(w, QEvent::MouseButtonPress, p, button, button);
}

void ScreenTest::release(ui::Control& c, Qt::MouseButton button) {
    QPoint p;
    QWidget* w = widgetFor(c, p);
    mouse(w, QEvent::MouseButtonRelease, p, button, Qt::NoButton);
}

void ScreenTest::click(ui::Control& c, Qt::MouseButton button) {
    EXPECT_TRUE(seen(c)) << "a user cannot click a control that is not shown";
    QPoint p;
    QPointer<QWidget> w = widgetFor(c, p);
    mouse(w, QEvent::MouseButtonPress, p, button, button);
    if (w) mouse(w, QEvent::MouseButtonRelease, p, button, Qt::NoButton);
}

void ScreenTest::doubleClick(ui::Control& c) {
    EXPECT_TRUE(seen(c));
    QPoint p;
    QPointer<QWidget> w = widgetFor(c, p);
    mouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    if (w) mouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    if (w) mouse(w, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    if (w) mouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}

void ScreenTest::pressAt(ui::Container& c, QPoint p) {
    mouse(c.containerWidget(), QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
}
void ScreenTest::releaseAt(ui::Container& c, QPoint p) {
    mouse(c.containerWidget(), QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}
void ScreenTest::clickAt(ui::Container& c, QPoint p) {
    EXPECT_TRUE(c.containerWidget()->isVisible());
    pressAt(c, p);
    releaseAt(c, p);
}
void ScreenTest::moveTo(ui::Container& c, QPoint p) {
    mouse(c.containerWidget(), QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
}
void ScreenTest::doubleClickAt(ui::Container& c, QPoint p) {
    QWidget* w = c.containerWidget();
    mouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    mouse(w, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}

void ScreenTest::focus(ui::Control& c) {
    QPoint p;
    QWidget* w = widgetFor(c, p);
    if (QWidget* win = w->window()) {
        win->activateWindow();
        QApplication::setActiveWindow(win);
    }
    w->setFocus(Qt::MouseFocusReason);
    for (int i = 0; i < 3; ++i) ui::yield();
}

QWidget* ScreenTest::keyTarget(ui::Control& c) {
    QPoint p;
    QWidget* w = widgetFor(c, p);
    if (!w->hasFocus()) focus(c);
    return QApplication::focusWidget() ? QApplication::focusWidget() : w;
}

void ScreenTest::key(ui::Control& c, Qt::Key k, const QString& text, Qt::KeyboardModifiers m) {
    QWidget* target = keyTarget(c);
    QPointer<QWidget> guard = target;
    QKeyEvent down(QEvent::KeyPress, k, m, text);
    QApplication::sendEvent(target, &down);
    if (guard) {
        QKeyEvent up(QEvent::KeyRelease, k, m, text);
        QApplication::sendEvent(target, &up);
    }
    ui::yield();
}

void ScreenTest::keyboardKey(ui::Control& c, Qt::Key k, const QString& text,
                             Qt::KeyboardModifiers m) {
    QTest::sendKeyEvent(QTest::Click, keyTarget(c), k, text, m);
    ui::yield();
}

void ScreenTest::paste(ui::Control& c, const QString& text, const QString& keyText) {
    QApplication::clipboard()->setText(text);
    key(c, Qt::Key_V, keyText, Qt::ControlModifier);
}

void ScreenTest::type(ui::Control& c, const QString& text) {
    for (QChar ch : text) {
        Qt::Key k = Qt::Key_unknown;
        const QChar up = ch.toUpper();
        if (up >= QLatin1Char('A') && up <= QLatin1Char('Z'))
            k = Qt::Key(up.unicode());
        else if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9'))
            k = Qt::Key(ch.unicode());
        else if (ch == QLatin1Char(' '))
            k = Qt::Key_Space;
        else
            k = Qt::Key(ch.toUpper().unicode());
        key(c, k, QString(ch), ch.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
    }
}

void ScreenTest::choose(ui::MenuItem& item) {
    EXPECT_TRUE(item.enabled() && item.visible()) << "a user cannot choose a menu item that is off";
    item.trigger();
    ui::yield();
}

std::string ScreenTest::text(const ui::TextBox& t) {
    return platform::cp1252ToUtf8(t.text());
}
std::string ScreenTest::u8(const std::string& s) {
    return platform::cp1252ToUtf8(s);
}

bool ScreenTest::seen(const ui::Control& c) {
    if (!c.visible()) return false;
    if (QWidget* w = c.widget()) return w->isVisible();
    QWidget* holder = c.container().containerWidget();
    return holder && holder->isVisible();
}

// The view's delegate draws the text inside a margin on each side of the line's cell and cuts
// with "…" what does not fit there.
ListLine ScreenTest::shownLine(const ui::ListBox& l, int row) {
    auto* w = static_cast<QListWidget*>(l.widget());
    QListWidgetItem* it = w->item(row);
    if (!it) {
        ADD_FAILURE() << "the list has no line " << row;
        return {};
    }
    w->scrollToItem(it);
    const QVariant own = it->data(Qt::FontRole);
    const QFont font = own.isValid() ? own.value<QFont>().resolve(w->font()) : w->font();
    const QRect cell = w->visualItemRect(it);
    const int margin = w->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1;
    const bool inView = cell.left() >= 0 && cell.right() < w->viewport()->width();
    const bool fits =
        QFontMetricsF(font).horizontalAdvance(it->text()) <= cell.width() - 2 * margin;
    return {it->text().toStdString(), font, inView && fits, cell.height()};
}

QImage ScreenTest::grab(ui::Form& f) {
    QWidget* w = f.window() ? f.window() : f.containerWidget();
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage ScreenTest::grab(ui::Container& c) {
    return c.containerWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace harness
