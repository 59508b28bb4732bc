// Comma-separated values as spreadsheets exchange them (RFC 4180): fields
// separated by commas, records by CRLF; a field holding a comma, a quote or a
// line break is enclosed in quotes, a quote inside it doubled. The reader also
// takes LF or a lone CR as the end of a record, as other programs write them.
// Fields are bytes; what they encode is the caller's business.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

enum class CsvSyntax {
    None,
    UnclosedQuote,   // the file ends inside a quoted field
    TextAfterQuote,  // a quoted field's closing quote is followed by more than a comma or a line end
    QuoteInField,    // a quote inside a field that does not start with one
};

struct CsvRecord {
    int row = 0;  // counted from 1, as a spreadsheet shows it; a line break inside quotes starts no new row
    std::vector<QByteArray> fields;
};

struct CsvTable {
    std::vector<CsvRecord> records;  // an empty line is a record of one empty field
    CsvSyntax error = CsvSyntax::None;
    int errorRow = 0, errorColumn = 0;  // where error lies, counted from 1
    bool ok() const { return error == CsvSyntax::None; }
};

// Every record of text, or the first syntax error and where it lies. A line
// end after the last record adds no record.
CsvTable ParseCsv(QByteArrayView text);

// One record with its CRLF; fields are quoted only where they must be, and
// where a reader might otherwise take their first or last spaces away.
QByteArray CsvLine(const std::vector<QByteArray>& fields);
