// Every sentence `pellimore check` and the editor page's findings show, made
// from the analysis's facts: which message of words/<language>.txt says it,
// and what fills its placeholders. The analysis itself words nothing.
#pragma once

#include "pellimore/check/settings_analysis.h"
#include "pellimore/common/words.h"

#include <string>
#include <vector>

// The name players know a binding by, as the editor lists it: "Knock out", "Modifier".
std::string playerName(const Voice& voice, KeyOwner owner);

// What the key does in game, as the editor lists it beside the name.
std::string moveDescription(const Voice& voice, KeyOwner owner);

// Who carries a fix out: a player editing the file (write this line), or on
// the editor page (choose the move, press a key).
enum class Reader { CommandLine, Page };

// A finding as one sentence, without its line number.
std::string findingSentence(const Voice& voice, const SettingsFinding& finding, Reader reader = Reader::CommandLine);

// A finding with its line number in front: "line 3: ...".
std::string findingWithLine(const Voice& voice, const SettingsFinding& finding, Reader reader = Reader::CommandLine);

// A note, as check prints it: "note: ...".
std::string noteLine(const Voice& voice, const SettingsFinding& finding);

// How far a note's later lines are indented: under its first word after "note: ".
std::size_t noteIndent(const Voice& voice);

// A binding's state as the modders' table words it ("never fires: same key as GrappleThrowFront").
std::string bindingStateText(const BindingRow& row);

// Why a file could not be explained at all: "problem: cannot open x.ini: ...".
std::string fileProblemLine(const Voice& voice, const SettingsReport& report);

// The last line of a report: the verdict in words.
std::string verdictSentence(const Voice& voice, const SettingsReport& report);

// The load's own words, for modders: where it stopped and the conversion's message; "" when it completed.
std::string loadStopSentence(const SettingsReport& report);

// The modders' table: its heading, its column titles and its closing line about the fixed key.
std::string tableHeading(const Voice& voice);
std::vector<std::string> tableColumnTitles();
std::string fixedKeyLine();

// The value column of the modders' table: as written, or "(missing)".
std::string rawValueText(const BindingRow& row);

// What `pellimore.exe` says when double-clicked (the game folder's own file is checked).
std::string notInGameFolderSentence(const Voice& voice, const std::string& toolFolder);
std::string noSettingsInGameFolderSentence(const Voice& voice, const std::string& gameFolder);
std::string checkingGameSettingsLine(const Voice& voice, const std::string& settingsFile);
