// Every sentence `pellimore doctor` shows, made from its findings' facts:
// which message of words/<language>.txt says it, and what fills it.
#pragma once

#include "pellimore/common/words.h"
#include "pellimore/doctor/doctor.h"
#include "pellimore/doctor/repair_journal.h"
#include "pellimore/doctor/repair_plan.h"
#include "pellimore/doctor/repair_run.h"

#include <string>

// The first line: which folder was looked at, and whether it is the game's.
std::string doctorHeading(const Voice& voice, const DoctorReport& report, bool fixing = false);

// The mark in front of a finding: "ok   ", "note ", "check", "FIX  " (five columns each).
std::string severityTag(const Voice& voice, Severity severity);

// A finding as one sentence.
std::string doctorFindingSentence(const Voice& voice, const Finding& finding);

// Above the settings files the game never reads, when the check lists them after its report.
std::string straySettingsHeading(const Voice& voice);

// The last line: the verdict in words.
std::string doctorVerdictSentence(const Voice& voice, ExitStatus status);

// The repair: its heading, each step, a file left alone, the question, and what came of it.
std::string repairPlanHeading(const Voice& voice, const RepairPlan& plan);
std::string repairStepSentence(const Voice& voice, const std::filesystem::path& game, const RepairStep& step);
std::string leftAloneSentence(const Voice& voice, const std::filesystem::path& file);
std::string repairQuestion(const Voice& voice);

// Two files only the player can choose between: both named, with the keys that differ, then the question.
std::string repairChoiceSentence(const Voice& voice, const std::filesystem::path& game, const RepairChoice& choice);
std::string repairChoiceQuestion(const Voice& voice);
std::string declinedSentence(const Voice& voice);
std::string dryRunSentence(const Voice& voice);
std::string repairOutcomeSentence(const Voice& voice, const std::filesystem::path& game, const RepairOutcome& outcome);
std::string filePlaceSentence(const Voice& voice, const std::filesystem::path& game, const FilePlace& place);

// A repair that was cut short: what it had moved and what not, said before the findings; what the player can
// do about it; the question that offers it; and why --fix will not start another.
std::string interruptedSentence(const Voice& voice, const std::filesystem::path& game, const JournalRepair& repair);
std::string interruptedHowSentence(const Voice& voice);
std::string interruptedQuestion(const Voice& voice);
std::string interruptedFixRefusedSentence(const Voice& voice);
