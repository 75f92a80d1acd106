// The window building blocks on their own: a template built into a dialog, the user's actions
// as the core's notifications, the scroll codes, the close rules, drops, and the canvas.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QUrl>
#include <string>
#include <vector>

#include "hosts/qt/painter_canvas.h"
#include "hosts/qt/qt_program.h"
#include "hosts/qt/template_dialog.h"

using namespace pelkit;

namespace {

struct Event {
    std::string what;  // "command", "edit", "scroll", "close", "drop"
    int id = 0;
    int code = 0;
    int thumb = 0;
    std::string path;
};

TemplateDef sampleTemplate() {
    TemplateDef t;
    t.name = "SAMPLE";
    t.caption = "sample";
    t.rect = {0, 0, 300, 160};
    t.controls = {
        {10, ControlKind::Button, "go", {10, 20, 40, 22}, false},
        {11, ControlKind::Button, "R&D", {54, 20, 40, 22}, true},
        {20, ControlKind::Field, "", {100, 20, 80, 22}, false},
        {21, ControlKind::ReadOnly, "fixed", {184, 20, 80, 22}, false},
        {-1, ControlKind::Label, "name", {10, 64, 60, 18}, false},
        {30, ControlKind::ScrollBar, "", {10, 90, 200, 16}, false},
    };
    return t;
}

class Recorder {
  public:
    DialogEvents events(bool drops) {
        DialogEvents e;
        e.command = [this](int id, Notify n) {
            log.push_back({n == Notify::Click ? "command" : "edit", id, 0, 0, {}});
        };
        e.scroll = [this](int bar, int code, int thumb) {
            log.push_back({"scroll", bar, code, thumb, {}});
            if (onScroll) onScroll(bar, code, thumb);
        };
        e.close = [this] { log.push_back({"close", 0, 0, 0, {}}); };
        if (drops) e.drop = [this](const std::string& p) { log.push_back({"drop", 0, 0, 0, p}); };
        return e;
    }
    std::vector<Event> log;
    std::function<void(int, int, int)> onScroll;
};

QPoint thumbCentre(QScrollBar* bar) {
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.subControls = QStyle::SC_All;
    opt.orientation = Qt::Horizontal;
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    return bar->style()
        ->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar)
        .center();
}

}  // namespace

class TemplateDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepareApplication(*qobject_cast<QApplication*>(qApp)); }

    void buildsControlsAtTheirRectangles() {
        Recorder r;
        TemplateDialog d(sampleTemplate(), false, r.events(false), {}, nullptr);
        QCOMPARE(d.windowTitle(), QString("sample"));
        auto* go = qobject_cast<QPushButton*>(d.control(10));
        QVERIFY(go);
        QCOMPARE(go->geometry(), QRect(10, 20, 40, 22));
        QVERIFY(!go->autoDefault());
        // Texts read back as written, an ampersand included; disabled in the template stays so.
        QCOMPARE(d.controlText(11), QString("R&D"));
        QVERIFY(!d.control(11)->isEnabled());
        QCOMPARE(d.controlText(21), QString("fixed"));
        QVERIFY(qobject_cast<QLineEdit*>(d.control(21))->isReadOnly());
        QVERIFY(!qobject_cast<QLineEdit*>(d.control(20))->isReadOnly());
        // Labels and groups are not addressable.
        QVERIFY(!d.control(-1));
    }

    void clicksAndTypingNotify() {
        Recorder r;
        TemplateDialog d(sampleTemplate(), false, r.events(false), {}, nullptr);
        d.show();
        QTest::mouseClick(d.control(10), Qt::LeftButton);
        QCOMPARE(r.log.size(), size_t(1));
        QCOMPARE(r.log[0].what, std::string("command"));
        QCOMPARE(r.log[0].id, 10);

        // The program's own writes are silent; the user's typing is an edit change per key.
        r.log.clear();
        d.setControlText(20, "12");
        QVERIFY(r.log.empty());
        auto* field = qobject_cast<QLineEdit*>(d.control(20));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClicks(field, "34");
        QCOMPARE(r.log.size(), size_t(2));
        QCOMPARE(r.log[1].what, std::string("edit"));
        QCOMPARE(r.log[1].id, 20);
        QCOMPARE(d.controlText(20), QString("1234"));

        // Japanese arrives from the input method as one commit.
        r.log.clear();
        field->clear();
        QInputMethodEvent commit;
        commit.setCommitString("録音");
        QApplication::sendEvent(field, &commit);
        QCOMPARE(d.controlText(20), QString("録音"));
        QCOMPARE(r.log.size(), size_t(1));
        QCOMPARE(r.log[0].what, std::string("edit"));

        // Enter in a field presses no button.
        r.log.clear();
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(r.log.empty());
    }

    void escapeAndCloseBox() {
        Recorder r;
        TemplateDialog dialog(sampleTemplate(), false, r.events(false), {}, nullptr);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(r.log.size(), size_t(1));
        QCOMPARE(r.log[0].what, std::string("close"));
        QVERIFY(dialog.isVisible());  // only the core ends a window

        Recorder m;
        TemplateDialog main(sampleTemplate(), true, m.events(false), {}, nullptr);
        main.show();
        QTest::keyClick(&main, Qt::Key_Escape);
        QVERIFY(m.log.empty());
        QVERIFY(main.isVisible());
        main.close();
        QCOMPARE(m.log.size(), size_t(1));
        QCOMPARE(m.log[0].what, std::string("close"));
        QVERIFY(main.isVisible());
        main.done(0);
        QVERIFY(!main.isVisible());
        QCOMPARE(m.log.size(), size_t(1));
    }

    void scrollActionsGiveTheirCodes() {
        Recorder r;
        TemplateDialog d(sampleTemplate(), false, r.events(false), {}, nullptr);
        d.show();
        CodeScrollBar* bar = d.scrollBar(30);
        bar->setCodeRange(1, 1000);
        bar->showPosition(500);
        bar->setFocus();
        const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown,
                                Qt::Key_Home, Qt::Key_End,   Qt::Key_Up,     Qt::Key_Down};
        for (Qt::Key key : keys)
            QTest::keyClick(bar, key);
        std::vector<int> codes;
        for (const Event& e : r.log)
            codes.push_back(e.code);
        QCOMPARE(codes, (std::vector<int>{kScrollLineLeft, kScrollLineRight, kScrollPageLeft,
                                          kScrollPageRight, kScrollTop, kScrollBottom,
                                          kScrollLineLeft, kScrollLineRight}));
        QCOMPARE(r.log.front().id, 30);
        // Nobody moved it: the bar still shows where it was put.
        QCOMPARE(bar->value(), 500);

        // A drag reports the thumb position; the release follows.
        r.log.clear();
        bar->showPosition(1);
        QPoint from = thumbCentre(bar);
        QTest::mousePress(bar, Qt::LeftButton, {}, from);
        QTest::mouseMove(bar, from + QPoint(60, 0));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, from + QPoint(60, 0));
        QVERIFY(r.log.size() >= 2);
        QCOMPARE(r.log.front().code, kScrollThumbDragged);
        QVERIFY(r.log.front().thumb > 100);
        QCOMPARE(r.log.back().code, kScrollThumbReleased);
        QCOMPARE(bar->value(), 1);

        // What the handler shows during the action is where the bar stays.
        r.log.clear();
        r.onScroll = [bar](int, int, int) { bar->showPosition(321); };
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(bar->value(), 321);

        // A wheel notch is a line step.
        r.log.clear();
        r.onScroll = nullptr;
        QWheelEvent wheel(QPointF(20, 5), bar->mapToGlobal(QPointF(20, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &wheel);
        QCOMPARE(r.log.size(), size_t(1));
        QCOMPARE(r.log[0].code, kScrollLineRight);
    }

    void dropsReachOnlyAWindowThatTakesThem() {
        QMimeData mime;
        mime.setUrls(
            {QUrl::fromLocalFile("/tmp/first take.wav"), QUrl::fromLocalFile("/tmp/second.wav")});
        Recorder r;
        TemplateDialog main(sampleTemplate(), true, r.events(true), {}, nullptr);
        QDragEnterEvent enter(QPoint(150, 140), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&main, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(150, 140), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&main, &drop);
        QCOMPARE(r.log.size(), size_t(1));
        QCOMPARE(r.log[0].path, std::string("/tmp/first take.wav"));

        Recorder other;
        TemplateDialog dialog(sampleTemplate(), false, other.events(false), {}, nullptr);
        QVERIFY(!dialog.acceptDrops());
        QDragEnterEvent refused(QPoint(150, 140), Qt::CopyAction, &mime, Qt::LeftButton,
                                Qt::NoModifier);
        QApplication::sendEvent(&dialog, &refused);
        QVERIFY(!refused.isAccepted());
    }

    void canvasDrawsLikeTheDisplayExpects() {
        QImage image(20, 12, QImage::Format_RGB32);
        image.fill(Qt::green);
        {
            QPainter painter(&image);
            PainterCanvas canvas(painter);
            canvas.fillBlack(0, 0, 18, 12);  // the right and bottom edges are left out
            canvas.selectPen(Pen::Mark);
            canvas.moveTo(0, 5);
            canvas.lineTo(10, 5);  // the end point is left out
            canvas.selectPen(Pen::Trace);
            canvas.moveTo(2, 8);
            canvas.lineTo(2, 10);
            canvas.lineTo(2, 10);  // nothing for an empty line
        }
        const QRgb mark = qRgb(200, 0, 100), white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
        QCOMPARE(image.pixel(17, 11), black);
        QCOMPARE(image.pixel(18, 0), QColor(Qt::green).rgb());
        QCOMPARE(image.pixel(0, 5), mark);
        QCOMPARE(image.pixel(9, 5), mark);
        QCOMPARE(image.pixel(10, 5), black);
        QCOMPARE(image.pixel(2, 8), white);
        QCOMPARE(image.pixel(2, 9), white);
        QCOMPARE(image.pixel(2, 10), black);
    }

    void programIconIsBuiltIn() { QVERIFY(!programIcon().pixmap(32, 32).isNull()); }
};

QTEST_MAIN(TemplateDialogTest)
#include "template_dialog_test.moc"
