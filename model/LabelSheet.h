// The labels of a configuration as a spreadsheet: the input labels by input
// number with their slot and module, and the panel input labels, as CSV text
// in UTF-8 (docs/labels-csv.md describes the columns). File > Export labels
// and Import labels in the program and `vkx520ctl labels` go through here.
//
// An import takes every row or none: each row is checked (its kind and number,
// the slot when given, the label's size in the labels' code page) and the
// labels that change are checked against the others as the label editor
// checks them, before anything is stored. A label whose text stays as it is
// keeps its stored bytes, so exporting and importing again changes nothing.
#pragma once

#include "model/CMainDoc.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// Far more than 32 rows of the longest labels need; a larger file is not a
// sheet of ours.
constexpr qint64 kMaxLabelSheetBytes = 64 * 1024;

enum class LabelSheetProblem {
    TooLarge,        // more than kMaxLabelSheetBytes
    NotUtf8,         // a field is not UTF-8 text
    UnclosedQuote,   // see CsvSyntax
    TextAfterQuote,  //
    QuoteInField,    //
    ColumnCount,     // details: the columns found
    Header,          // the first row is not the header; details: the text found, the text expected
    Kind,            // details: the text found
    Number,          // details: the text found
    NoSuchInput,     // details: the input number
    Slot,            // the input lies in another slot; details: the input number, its slot
    RepeatedRow,     // details: what the row names ("input 3"), the row that named it first
    TooLong,         // details: the label's bytes in the code page
    NotInCodePage,   // details: the first character the code page lacks
    Duplicate,       // the label is another input's (or panel input's) label or default name
};

struct LabelSheetError {
    int row = 0;     // counted from 1, the header being row 1
    int column = 0;  // counted from 1
    LabelSheetProblem problem = LabelSheetProblem::TooLarge;
    QStringList details;
};

struct LabelSheetImport {
    std::vector<LabelSheetError> errors;  // in row order; nothing was changed when there are any
    int changed = 0;                      // labels whose text changed
    bool ok() const { return errors.empty(); }
};

// The name of a module code for the module column; empty when unknown.
using ModuleNames = std::function<QString(int code)>;

// The header, a row for each usable input and one for each of the 16 panel
// inputs; labels as stored, empty for a default name. UTF-8 with a byte order
// mark (so that spreadsheets take it as UTF-8), CRLF line ends.
QByteArray ExportLabelSheet(const CMainDoc& doc, const ModuleNames& moduleNames);

// Takes the labels of a sheet (UTF-8, with or without a byte order mark)
// into doc, as one change; sets labelsModified when a label changed.
LabelSheetImport ImportLabelSheet(CMainDoc& doc, QByteArrayView sheet);

// The same for a configuration file's bytes: only the label fields whose
// text changes are rewritten, the rest of the file (its version, bytes after
// its end) stays as it is. corrupt is set, and nothing done, when the bytes
// are not a configuration file.
LabelSheetImport ImportLabelSheetIntoFile(QByteArray& fileBytes, QByteArrayView sheet, bool& corrupt);

// "Row 3, column 5: ..." in the program's language.
QString LabelSheetErrorText(const LabelSheetError& error);
// The errors one a line, the first 20 of them, for a message box.
QString LabelSheetErrorLines(const std::vector<LabelSheetError>& errors);
