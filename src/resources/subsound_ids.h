// Identifiers of the sub sound controls: the main window's sub sound group, the commands the
// "all" dialog sends to the main window, and the controls of the "all" and "setting" dialogs.
#pragma once

namespace pelkit::id {

// The main window's sub sound group; row k (0..4) of the shown block of five slots.
inline constexpr int kSubSoundOpen0 = 1069;       // "open", 1069 + k
inline constexpr int kSubSoundStop0 = 1080;       // "O", 1080 + k
inline constexpr int kSubSoundPlay0 = 1090;       // ">", 1090 + k
inline constexpr int kSubSoundNextBlock = 1100;   // "+"
inline constexpr int kSubSoundFirstBlock = 1101;  // "0"
inline constexpr int kSubSoundName0 = 1170;       // the file name of row k's slot, 1170 + k
// kSubSoundAll (1102), kSubSoundSetting (1108), kSubSoundSettingRefresh (1113) and
// kFieldSubSoundBlock (1099) are in control_ids.h.

// Sent by the "all" dialog to the main window with the slot index as the parameter.
inline constexpr int kSubSoundPlayIndex = 1104;
inline constexpr int kSubSoundStopIndex = 1105;
inline constexpr int kSubSoundOpenIndex = 1106;

// The "all" dialog SUB_SOUND_DLG.
inline constexpr int kSubSoundSlotButton0 = 1201;  // slot i is button 1201 + i, i = 0..199
inline constexpr int kSubSoundSlotButtonLast = 1400;
inline constexpr int kSubSoundMode = 1107;
inline constexpr int kSubSoundMainButton = 1002;  // sends 1002, 1004 or 1015 by the mode
inline constexpr int kSubSoundAllStop = 1108;
inline constexpr int kSubSoundAllName = 1175;  // the number and file name of the slot last clicked

// The "setting" dialog SUB_SOUND_SETTING.
inline constexpr int kSettingBoostReset = 1109;  // no action
inline constexpr int kSettingBoost = 1110;
inline constexpr int kSettingSlot = 1111;
inline constexpr int kSettingNextSlot = 1112;
inline constexpr int kSettingPanReset = 1113;  // refresh only, like the command of the refill
inline constexpr int kSettingSetSlot = 1114;
inline constexpr int kSettingPan = 1115;
inline constexpr int kSettingPreviousSlot = 1116;
inline constexpr int kSettingName = 1119;
inline constexpr int kSettingStartPosition = 1123;
inline constexpr int kSettingArmed = 1124;
inline constexpr int kSettingPlayedTime = 1125;
inline constexpr int kSettingBoostBar = 3;  // range 1 .. 1000
inline constexpr int kSettingPanBar = 6;    // range -100 .. 100

// Both dialogs.
inline constexpr int kSubSoundDialogOk = 1;
inline constexpr int kSubSoundDialogCancel = 2;

}  // namespace pelkit::id
