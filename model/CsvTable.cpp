#include "model/CsvTable.h"

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Past the line end at pos (CRLF, LF or a lone CR).
qsizetype SkipLineEnd(QByteArrayView text, qsizetype pos) {
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') return pos + 2;
    return pos + 1;
}

bool NeedsQuotes(const QByteArray& field) {
    if (field.isEmpty()) return false;
    if (field.front() == ' ' || field.back() == ' ' || field.front() == '\t' || field.back() == '\t') return true;
    for (char c : field)
        if (c == ',' || c == '"' || IsLineEnd(c)) return true;
    return false;
}

}  // namespace

CsvTable ParseCsv(QByteArrayView text) {
    CsvTable table;
    const qsizetype end = text.size();
    qsizetype pos = 0;
    int row = 1;
    const auto fail = [&](CsvSyntax error, int column) {
        table.error = error;
        table.errorRow = row;
        table.errorColumn = column;
        return table;
    };
    while (pos < end) {
        CsvRecord record{row, {}};
        for (bool more = true; more;) {
            const int column = int(record.fields.size()) + 1;
            QByteArray field;
            if (pos < end && text[pos] == '"') {
                for (++pos;; ++pos) {
                    if (pos >= end) return fail(CsvSyntax::UnclosedQuote, column);
                    if (text[pos] != '"') {
                        field += text[pos];
                    } else if (pos + 1 < end && text[pos + 1] == '"') {
                        field += '"';
                        ++pos;
                    } else {
                        ++pos;
                        break;
                    }
                }
                if (pos < end && text[pos] != ',' && !IsLineEnd(text[pos]))
                    return fail(CsvSyntax::TextAfterQuote, column);
            } else {
                const qsizetype start = pos;
                while (pos < end && text[pos] != ',' && !IsLineEnd(text[pos])) {
                    if (text[pos] == '"') return fail(CsvSyntax::QuoteInField, column);
                    ++pos;
                }
                field = text.sliced(start, pos - start).toByteArray();
            }
            record.fields.push_back(std::move(field));
            more = pos < end && text[pos] == ',';
            if (more) ++pos;
        }
        if (pos < end) pos = SkipLineEnd(text, pos);
        table.records.push_back(std::move(record));
        ++row;
    }
    return table;
}

QByteArray CsvLine(const std::vector<QByteArray>& fields) {
    QByteArray line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        if (NeedsQuotes(fields[i]))
            line += '"' + QByteArray(fields[i]).replace('"', "\"\"") + '"';
        else
            line += fields[i];
    }
    return line + "\r\n";
}
