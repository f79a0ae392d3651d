// Every sentence `pellimore doctor` shows, made from its findings' facts. A
// reviewer or a translator reads all of the doctor's player text here.
#pragma once

#include "pellimore/doctor/doctor.h"

#include <string>

// The first line: which folder was looked at, and whether it is the game's.
std::string doctorHeading(const DoctorReport& report);

// The mark in front of a finding: "ok   ", "note ", "check", "FIX  " (five columns each).
std::string severityTag(Severity severity);

// A finding as one sentence.
std::string doctorFindingSentence(const Finding& finding);

// Above the settings files the game never reads, when the check lists them after its report.
std::string straySettingsHeading();

// The last line: the verdict in words.
std::string doctorVerdictSentence(ExitStatus status);
