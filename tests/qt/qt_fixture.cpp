#include "qt_fixture.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QTest>
#include <QTimer>

#include "display/waveform.h"

namespace pelkit::test {

int AnsweringHost::execDialog(QDialog& dialog) {
    SeenDialog s;
    s.caption = dialog.windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        s.text = box->text();
        s.icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            s.buttons << b->text();
        seen.push_back(s);
        if (whileOpen) whileOpen();
        if (boxAnswers.empty()) return QMessageBox::Ok;
        QMessageBox::StandardButton answer = boxAnswers.front();
        boxAnswers.pop_front();
        return answer;
    }
    if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
        s.fileDialog = true;
        s.nameFilters = files->nameFilters();
        s.selectedFilter = files->selectedNameFilter();
        s.defaultSuffix = files->defaultSuffix();
        s.directory = files->directory().absolutePath();
        s.preselected = files->selectedFiles().value(0);
        s.saves = files->acceptMode() == QFileDialog::AcceptSave;
        seen.push_back(s);
        if (whileFileDialogOpen) whileFileDialogOpen(*files);
        if (fileAnswers.empty()) return QDialog::Rejected;
        std::optional<QString> answer = fileAnswers.front();
        fileAnswers.pop_front();
        if (!answer) return QDialog::Rejected;
        files->selectFile(*answer);
        return QDialog::Accepted;
    }
    return QDialog::Rejected;
}

CoreUnderTest::CoreUnderTest() {
    host.setMainWindow(&mainWindow);
    host.setWavePainter([this](WaveWindow which, Canvas& canvas) { program.paint(which, canvas); });
}

CoreUnderTest::~CoreUnderTest() {
    host.setMainWindow(nullptr);
}

bool CoreUnderTest::run(const std::function<void()>& body, const std::string& commandLine) {
    app.commandLine = commandLine;
    bool forced = false;
    host.setWindowObserver([&](WindowHandle handle, TemplateDialog& dialog) {
        if (!dialog.isMain()) return;
        handle_ = handle;
        window_ = &dialog;
        QTimer::singleShot(0, &dialog, [&] {
            body();
            // The window ends as the user would end it: the close box, through the core.
            if (!mainWindow.ended()) dialog.close();
        });
        // A window that does not end within a minute is a failure, not a hang.
        QTimer::singleShot(60000, &dialog, [&] {
            forced = true;
            host.endDialog(handle_, 0);
        });
    });
    host.runModal("MAIN_RECORD", mainWindow);
    host.setWindowObserver({});
    window_ = nullptr;
    return !forced;
}

QString CoreUnderTest::text(int id) const {
    return window_->controlText(id);
}

int CoreUnderTest::barValue(int bar) const {
    return window_->scrollBar(bar)->value();
}

int CoreUnderTest::playToEnd(int limit, int waitMsPerBlock) {
    int played = 0;
    QElapsedTimer since;
    since.start();
    while (out.isOpen() && played < limit && since.elapsed() < 20000) {
        if (out.canAdvance()) {
            out.finishOne();
            ++played;
        }
        if (waitMsPerBlock > 0) {
            QTest::qWait(waitMsPerBlock);
        } else {
            QCoreApplication::processEvents();
        }
    }
    QCoreApplication::processEvents();
    return played;
}

Bytes stereoTestSound(int frames) {
    std::vector<int16_t> values;
    for (int i = 0; i < frames; ++i) {
        bool high = (i / 20) % 2 == 0;
        values.push_back(static_cast<int16_t>(high ? 24000 : -24000));
        values.push_back(static_cast<int16_t>(high ? 3000 : -3000));
    }
    return canonicalWav(2, 44100, 16, samples16(values));
}

}  // namespace pelkit::test
