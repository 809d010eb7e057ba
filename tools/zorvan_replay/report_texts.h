// The words of the after-contest report in its two languages. "{}" marks where a value
// goes, in order.
#pragma once

namespace zd::replay {

struct ReportTexts {
  const char* lang;
  const char* title;
  const char* madeBy;
  const char* logLine;
  const char* summary;
  const char* charts;
  const char* rates;
  const char* multipliers;
  const char* checks;
  const char* qsoTable;
  // Summary.
  const char* score;
  const char* qsos;
  const char* points;
  const char* dxcc;
  const char* regions;
  const char* dupes;
  const char* badQsos;
  const char* claimedScore;
  const char* claimed;
  const char* asReturned;
  const char* noSummary;
  const char* mismatch;
  const char* agrees;
  const char* exportPass;
  // Charts.
  const char* chartQsos;
  const char* chartScore;
  const char* chartMults;
  const char* chartBandChanges;
  const char* chartModes;
  const char* limit;
  const char* cumulativeNote;
  // Rate sheet.
  const char* best60;
  const char* best10;
  const char* bestLine;
  const char* operating;
  const char* offTime;
  const char* firstLast;
  const char* breaks;
  const char* breakRow;
  const char* noBreaks;
  const char* hour;
  const char* hourTable;
  const char* bandChanges;
  const char* total;
  const char* sparseHours;
  const char* hoursMinutes;
  // Multipliers.
  const char* perBandMode;
  const char* band;
  const char* mode;
  const char* regionMap;
  const char* regionMapNote;
  const char* missing;
  const char* noneMissing;
  const char* regionsSmall;
  const char* worked;
  const char* notWorked;
  const char* dxccTable;
  const char* prefix;
  const char* continents;
  const char* continent;
  const char* unknown;
  // Rule checks.
  const char* none;
  const char* found;
  const char* modeTooSoon;
  const char* modeTooSoonWhy;
  const char* earlier;
  const char* apart;
  const char* message;
  const char* bandChangeHours;
  const char* bandChangeWhy;
  const char* bandChangeHour;
  const char* changeNo;
  const char* dupeList;
  const char* dupeWhy;
  const char* original;
  const char* notCounted;
  const char* notCountedWhy;
  const char* reason;
  const char* refusedWord;
  const char* reasonWrongBand;
  const char* reasonWrongMode;
  const char* reasonNoRx;
  const char* reasonBadRegion;
  const char* reasonDupe;
  const char* regionNotCalls;
  const char* regionNotCallsWhy;
  const char* sent;
  const char* implied;
  const char* exchangeChanges;
  const char* exchangeWhy;
  const char* exchangeRegions;
  const char* exchangeNumbers;
  const char* unknownCalls;
  const char* unknownWhy;
  const char* scpNotChecked;
  // QSO table.
  const char* tableNote;
  const char* line;
  const char* time;
  const char* call;
  const char* rcvd;
  const char* pts;
  const char* mult;
  const char* flags;
  const char* checkDupe;
  const char* checkKnown;
  const char* checkNew;
  const char* checkRefused;
  const char* adds;
  // The flags, in the order of QsoFlag.
  const char* flagNames[9];
  const char* flagLegend[9];
};

extern const ReportTexts kEnglishTexts;
extern const ReportTexts kRussianTexts;

}  // namespace zd::replay
