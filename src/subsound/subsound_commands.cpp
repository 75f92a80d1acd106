#include "subsound/subsound_commands.h"

#include <memory>
#include <string>

#include "files/sound_decode.h"
#include "files/wav_format.h"
#include "resources/control_ids.h"
#include "resources/subsound_ids.h"
#include "state/app_state.h"
#include "status/status_display.h"
#include "subsound/subsound_dialogs.h"

namespace pelkit {

namespace {

constexpr uint32_t kLastBlockBase = kSubSoundSlotCount - kSubSoundRowCount;  // 195

SubSoundSlot* slotAt(AppState& app, int64_t index) {
    return app.subSounds ? app.subSounds->slot(index) : nullptr;
}

}  // namespace

namespace {

// The last part of PATH, the file's own name.
std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

// Field 1099 shows the block's first slot index; each ">" is enabled exactly when its slot has a
// file (or was started), however it got it. Each row and the "all" window's name field show the
// slot's file name, and the pointer resting on them the whole path.
void showSubSoundSlots(AppState& app) {
    Ui& ui = app.ui();
    const WindowHandle main = app.windows.mainDialog;
    const uint32_t base = app.subSoundUi.blockBase;
    ui.setText(main, id::kFieldSubSoundBlock, std::to_string(base));
    for (int k = 0; k < kSubSoundRowCount; ++k) {
        const SubSoundSlot* slot = slotAt(app, int64_t{base} + k);
        ui.enable(main, id::kSubSoundPlay0 + k, slot && slot->assigned);
        const std::string name = slot ? slot->name : std::string();
        ui.setText(main, id::kSubSoundName0 + k, baseName(name));
        for (int first :
             {id::kSubSoundOpen0, id::kSubSoundPlay0, id::kSubSoundStop0, id::kSubSoundName0})
            ui.setHint(main, first + k, name);
    }
    const WindowHandle all = app.subSoundUi.allWindow;
    if (all == kNoWindow || !app.subSounds) return;
    for (int i = 0; i < kSubSoundSlotCount; ++i) {
        const SubSoundSlot& slot = app.subSounds->entries[static_cast<size_t>(i)];
        ui.setText(all, id::kSubSoundSlotButton0 + i,
                   slot.assigned ? std::to_string(i + 1) : std::string());
        ui.setHint(all, id::kSubSoundSlotButton0 + i, slot.name);
    }
    // "8: a.wav" for the slot last clicked (its number as its button shows it).
    const SubSoundSlot* named = slotAt(app, app.subSoundUi.allNamedSlot);
    const std::string path = named ? named->name : std::string();
    ui.setText(all, id::kSubSoundAllName,
               named ? std::to_string(app.subSoundUi.allNamedSlot + 1) + ": " + baseName(path)
                     : std::string());
    ui.setHint(all, id::kSubSoundAllName, path);
}

namespace {

// Lets the user choose the slot's file. A cancelled choice leaves the slot as it was.
void openSlot(AppState& app, int64_t index) {
    SubSoundSlot* slot = slotAt(app, index);
    if (!slot) return;
    if (!ChooseFile(app, FileKind::Sound)) return;
    if (needsDecoding(app.chosenFile)) {
        sendCommand(app, id::kSubSoundWorkingCopy, static_cast<int32_t>(index));
        return;
    }
    assignSlotFile(app, index, app.chosenFile);
}

}  // namespace

void assignSlotFile(AppState& app, int64_t index, const std::string& path) {
    SubSoundSlot* slot = slotAt(app, index);
    if (!slot) return;
    setTitle(app, app.sound.fileName, app.titleText);
    slot->assign(path);
    warnUnplayableSlots(app, {static_cast<int32_t>(index)});
    showSubSoundSlots(app);
}

namespace {

// Why SLOT's file cannot be played, as the end of a sentence; empty when it can. A slot whose
// file is unusable would otherwise only fall silent at its first mixing turn.
std::string slotFileProblem(SubSoundSlot& slot) {
    if (!slot.stream.isOpen()) return "it cannot be opened.";
    WavHeaderInfo header;
    if (ReadWavHeader(slot.name, header)) return {};
    return header.refusal.empty() ? "it is not a readable WAV file." : header.refusal;
}

void playSlot(AppState& app, int64_t index) {
    if (SubSoundSlot* slot = slotAt(app, index)) {
        slot->play(app.sound.position, app.sequence.recording);
    }
}

void stopSlot(AppState& app, int64_t index) {
    if (SubSoundSlot* slot = slotAt(app, index)) slot->stop();
}

// One window of each kind: a second would share the first one's mode and slot.
template <typename Dialog>
void openOnce(AppState& app, WindowHandle open, const char* templateName) {
    if (open != kNoWindow || !app.subSounds) return;
    app.ui().openModeless(templateName, std::make_unique<Dialog>(app));
}

}  // namespace

void warnUnplayableSlots(AppState& app, const std::vector<int32_t>& indexes) {
    std::string text;
    for (int32_t index : indexes) {
        SubSoundSlot* slot = slotAt(app, index);
        if (!slot) continue;
        const std::string problem = slotFileProblem(*slot);
        if (problem.empty()) continue;
        text += (text.empty() ? "" : " ") + std::string("The file ") + slot->name +
                " of sub sound slot " + std::to_string(index + 1) + " cannot be played: " + problem;
    }
    if (!text.empty()) showWarning(app, text);
}

void createSubSounds(AppState& app) {
    app.subSounds = std::make_unique<SubSoundBank>();
    app.subSoundUi = SubSoundUi{};
    showSubSoundSlots(app);
}

void destroySubSounds(AppState& app) {
    SubSoundUi& ui = app.subSoundUi;
    for (WindowHandle w : {ui.allWindow, ui.settingWindow}) {
        if (w != kNoWindow) app.ui().endDialog(w, 0);
    }
    ui.allWindow = ui.settingWindow = kNoWindow;
    app.subSounds.reset();
}

namespace {

// A row button of the shown block of five: the slot is the block's base plus the row.
int64_t rowSlot(AppState& app, int id, int first) {
    return app.subSoundUi.blockBase + (id - first);
}

void nextBlock(AppState& app, int, int32_t) {
    SubSoundUi& ui = app.subSoundUi;
    ui.blockBase += kSubSoundRowCount;
    if (ui.blockBase > kLastBlockBase) ui.blockBase = 0;
    showSubSoundSlots(app);
}

void firstBlock(AppState& app, int, int32_t) {
    app.subSoundUi.blockBase = 0;
    showSubSoundSlots(app);
}

}  // namespace

std::vector<CommandEntry> subSoundCommands() {
    constexpr int kRows = kSubSoundRowCount - 1;
    return {
        {id::kSubSoundOpen0, id::kSubSoundOpen0 + kRows,
         [](AppState& a, int id, int32_t) { openSlot(a, rowSlot(a, id, id::kSubSoundOpen0)); }},
        {id::kSubSoundStop0, id::kSubSoundStop0 + kRows,
         [](AppState& a, int id, int32_t) { stopSlot(a, rowSlot(a, id, id::kSubSoundStop0)); }},
        {id::kSubSoundPlay0, id::kSubSoundPlay0 + kRows,
         [](AppState& a, int id, int32_t) { playSlot(a, rowSlot(a, id, id::kSubSoundPlay0)); }},
        {id::kSubSoundNextBlock, id::kSubSoundNextBlock, nextBlock},
        {id::kSubSoundFirstBlock, id::kSubSoundFirstBlock, firstBlock},
        {id::kSubSoundPlayIndex, id::kSubSoundPlayIndex,
         [](AppState& a, int, int32_t slot) { playSlot(a, slot); }},
        {id::kSubSoundStopIndex, id::kSubSoundStopIndex,
         [](AppState& a, int, int32_t slot) { stopSlot(a, slot); }},
        {id::kSubSoundOpenIndex, id::kSubSoundOpenIndex,
         [](AppState& a, int, int32_t slot) { openSlot(a, slot); }},
        {id::kSubSoundAll, id::kSubSoundAll,
         [](AppState& a, int, int32_t) {
             openOnce<SubSoundAllDialog>(a, a.subSoundUi.allWindow, "sub_sound_dlg");
         }},
        {id::kSubSoundSetting, id::kSubSoundSetting,
         [](AppState& a, int, int32_t) {
             openOnce<SubSoundSettingDialog>(a, a.subSoundUi.settingWindow, "sub_sound_setting");
         }},
        {id::kSubSoundSettingRefresh, id::kSubSoundSettingRefresh,
         [](AppState& a, int, int32_t) { refreshSubSoundSetting(a, false); }},
    };
}

}  // namespace pelkit
