// Identifiers of the main window's controls, menu entries and the commands sent between
// windows. A control's text lives in the window templates under src/resources.
#pragma once

namespace pelkit::id {

// The OK and Cancel buttons of every dialog.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

// Buttons and menu entries (commands).
inline constexpr int kRecord = 1000;
inline constexpr int kRecordStop = 1001;
inline constexpr int kPlay = 1002;
inline constexpr int kPlayPause = 1003;
inline constexpr int kPlayStop = 1004;
inline constexpr int kReverse = 1005;
inline constexpr int kRepeat = 1006;
inline constexpr int kJumpToQuiet = 1007;
inline constexpr int kRateUp = 1009;
inline constexpr int kExit = 1010;
inline constexpr int kRate44 = 1011;
inline constexpr int kRateDown = 1012;
inline constexpr int kBits16 = 1013;
inline constexpr int kBits8 = 1014;
inline constexpr int kOpen = 1015;
inline constexpr int kChannels1 = 1016;
inline constexpr int kChannels2 = 1017;
inline constexpr int kShowExtraHeader = 1018;
inline constexpr int kBufferReset = 1019;
inline constexpr int kBlockReset = 1020;
inline constexpr int kLockOff = 1021;
inline constexpr int kBlockUp = 1022;
inline constexpr int kBlockDown = 1023;
inline constexpr int kRecordPause = 1028;
inline constexpr int kJumpForward = 1037;
inline constexpr int kJumpBack = 1039;
inline constexpr int kStepBackToQuiet = 1040;
inline constexpr int kReverbOnOff = 1041;
inline constexpr int kBoostReset = 1044;
inline constexpr int kRateSet = 1045;
inline constexpr int kVolumeReset = 1051;
inline constexpr int kRangeToggle = 1052;
inline constexpr int kLevelCheck = 1056;
inline constexpr int kFileEdit = 1057;
inline constexpr int kSpeedReset = 1064;
inline constexpr int kPitchOnOff = 1066;
inline constexpr int kPitchReset = 1067;
inline constexpr int kPanReset = 1074;
inline constexpr int kPitchUp = 1076;
inline constexpr int kPitchDown = 1078;
inline constexpr int kPitchUp2 = 1079;
inline constexpr int kPitchDown2 = 1085;
inline constexpr int kRecordOptions = 1095;
inline constexpr int kSubSoundAll = 1102;
inline constexpr int kSubSoundSetting = 1108;
inline constexpr int kSubSoundSettingRefresh = 1113;
inline constexpr int kRefreshNames = 1120;
inline constexpr int kLoopStandby = 1126;
inline constexpr int kSkipStart = 1129;
inline constexpr int kSkipEnd = 1130;
inline constexpr int kSkipOnOff = 1131;
inline constexpr int kSequenceSave = 1117;
inline constexpr int kSequenceOpen = 1118;
inline constexpr int kSequenceReplay = 1121;
inline constexpr int kSequenceRecord = 1122;
inline constexpr int kReplaySequenceFile = 1132;
// The display commands that the record options dialog sends on.
inline constexpr int kDisplayOnOff = 1135;
inline constexpr int kShowWhileRecording = 1136;
inline constexpr int kVerticalScaleDown = 1137;
inline constexpr int kVerticalScaleUp = 1138;
inline constexpr int kVerticalScaleOne = 1139;
inline constexpr int kHorizontalScaleUp = 1140;
inline constexpr int kHorizontalScaleOne = 1141;
inline constexpr int kHorizontalScaleDown = 1142;
inline constexpr int kRangeStartSet = 1155;
inline constexpr int kRangeEndSet = 1156;
inline constexpr int kBits24 = 1504;
inline constexpr int kKeyboard = 40005;
inline constexpr int kHelp = 40006;
inline constexpr int kReverbDialog = 40007;
inline constexpr int kMarkPrevious = 40009;
inline constexpr int kMicroEdit = 40010;
inline constexpr int kNextNumberedCheck = 40011;
inline constexpr int kContinuousPlay = 40012;
inline constexpr int kWholeWaveform = 40013;
inline constexpr int kMarkSave = 40014;
inline constexpr int kMarkNext = 40015;
inline constexpr int kMarkFirst = 40016;
inline constexpr int kMarkSet = 40017;
inline constexpr int kMarkEditFile = 40018;
inline constexpr int kMenuJumpBack = 40021;
inline constexpr int kOverwriteDataSize = 40022;
inline constexpr int kStandby = 40023;
inline constexpr int kSetPcm = 40024;
inline constexpr int kShowPositionRange = 40026;
inline constexpr int kConvertTo16 = 40027;
inline constexpr int kHqStretch = 40028;
inline constexpr int kHqFormants = 40029;
inline constexpr int kLivePlay = 40030;
inline constexpr int kLoudness = 40031;
inline constexpr int kNormalise = 40032;
// Sent by the program: the chosen file of sub sound slot PARAM is in another format and becomes
// the slot's file through its WAV working copy.
inline constexpr int kSubSoundWorkingCopy = 40033;
inline constexpr int kExport = 40034;
inline constexpr int kFlacTakes = 40035;

// Fields.
inline constexpr int kFieldBits = 1024;
inline constexpr int kFieldRate = 1025;
inline constexpr int kFieldBlockSize = 1026;
inline constexpr int kFieldChannels = 1027;
inline constexpr int kFieldSize = 1029;
inline constexpr int kFieldHeaderFormat = 1030;
inline constexpr int kFieldHeaderChannels = 1031;
inline constexpr int kFieldHeaderRate = 1032;
inline constexpr int kFieldHeaderByteRate = 1033;
inline constexpr int kFieldHeaderBlockAlign = 1034;
inline constexpr int kFieldHeaderBits = 1035;
inline constexpr int kFieldStatus = 1036;
inline constexpr int kFieldTime = 1038;
inline constexpr int kFieldRateEntry = 1042;
inline constexpr int kFieldVolume = 1047;
inline constexpr int kFieldLevelReport = 1048;
inline constexpr int kFieldBoost = 1054;
inline constexpr int kFieldSpeed = 1065;
inline constexpr int kFieldPitch = 1068;
inline constexpr int kFieldPan = 1075;
inline constexpr int kFieldSubSoundBlock = 1099;
inline constexpr int kFieldSequenceStatus = 1116;
inline constexpr int kFieldPositionComment = 1160;

}  // namespace pelkit::id
