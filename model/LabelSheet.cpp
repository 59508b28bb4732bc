#include "model/LabelSheet.h"

#include "base/CodePage.h"
#include "lang/UiText.h"
#include "model/ConfigFile.h"
#include "model/CsvTable.h"
#include "res/resource.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <utility>

namespace {

enum Column { COL_KIND = 1, COL_NUMBER, COL_SLOT, COL_MODULE, COL_LABEL, COL_COUNT = COL_LABEL };
const char* const kHeader[COL_COUNT] = {"kind", "number", "slot", "module", "label"};
const QString kInputKind = QStringLiteral("input");
const QString kPanelKind = QStringLiteral("panel");
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

QByteArray Utf8Label(const std::string& label) { return FromCodePage(label).toUtf8(); }

// UTF-8 without substitutes: nothing when the bytes are not UTF-8. A byte
// order mark inside a field stays a character (which no label can hold).
std::optional<QString> DecodeUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    if (decoder.hasError()) return std::nullopt;
    return text;
}

// A decimal number from 1 to 16, spaces around it allowed; 0 otherwise.
int RowNumber(const QString& text) {
    const QString digits = text.trimmed();
    bool ok = false;
    const int number = digits.toInt(&ok, 10);
    const bool plain =
        !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); });
    return ok && plain && number >= 1 && number <= 16 ? number : 0;
}

// What a row of the sheet sets: an input (by number) or a panel input, counted from 0.
struct LabelTarget {
    bool panel = false;
    int index = 0;
    auto operator<=>(const LabelTarget&) const = default;
};

struct SheetRow {
    int row = 0;
    LabelTarget target;
    std::string label;  // code page bytes
};

class SheetReader {
public:
    explicit SheetReader(const CMainDoc& doc) : m_doc(doc) {}

    // The rows to take, or the errors in m_errors.
    std::vector<SheetRow> Read(QByteArrayView sheet);
    std::vector<LabelSheetError>& errors() { return m_errors; }

private:
    void Fail(int row, int column, LabelSheetProblem problem, QStringList details = {}) {
        m_errors.push_back({row, column, problem, std::move(details)});
    }
    bool CheckHeader(const CsvRecord& record, const std::vector<QString>& fields);
    std::optional<SheetRow> ReadRow(const CsvRecord& record, const std::vector<QString>& fields);
    std::optional<std::string> ReadLabel(int row, const QString& text);

    const CMainDoc& m_doc;
    std::vector<LabelSheetError> m_errors;
    std::map<LabelTarget, int> m_seen;  // the row that named each target first
};

std::vector<SheetRow> SheetReader::Read(QByteArrayView sheet) {
    if (sheet.size() > kMaxLabelSheetBytes) {
        Fail(1, 1, LabelSheetProblem::TooLarge, {QString::number(kMaxLabelSheetBytes)});
        return {};
    }
    if (sheet.startsWith(kByteOrderMark)) sheet = sheet.sliced(3);
    const CsvTable table = ParseCsv(sheet);
    if (!table.ok()) {
        const LabelSheetProblem problem = table.error == CsvSyntax::UnclosedQuote    ? LabelSheetProblem::UnclosedQuote
                                          : table.error == CsvSyntax::TextAfterQuote ? LabelSheetProblem::TextAfterQuote
                                                                                     : LabelSheetProblem::QuoteInField;
        Fail(table.errorRow, table.errorColumn, problem);
        return {};
    }
    std::vector<SheetRow> rows;
    bool header = true;
    for (const CsvRecord& record : table.records) {
        const bool blank = std::all_of(record.fields.begin(), record.fields.end(),
                                       [](const QByteArray& field) { return field.isEmpty(); });
        if (blank && !header) continue;  // spreadsheets leave empty rows behind
        if (record.fields.size() != std::size_t(COL_COUNT)) {
            const int found = int(record.fields.size());
            Fail(record.row, std::min(found, int(COL_COUNT)) + 1, LabelSheetProblem::ColumnCount,
                 {QString::number(found), QString::number(COL_COUNT)});
            if (header) return {};
            continue;
        }
        std::vector<QString> fields;
        for (const QByteArray& bytes : record.fields) {
            std::optional<QString> text = DecodeUtf8(bytes);
            if (!text) break;
            fields.push_back(std::move(*text));
        }
        if (fields.size() != record.fields.size()) {
            Fail(record.row, int(fields.size()) + 1, LabelSheetProblem::NotUtf8);
        } else if (header) {
            if (!CheckHeader(record, fields)) return {};
        } else if (std::optional<SheetRow> row = ReadRow(record, fields)) {
            rows.push_back(std::move(*row));
        }
        if (header && !m_errors.empty()) return {};
        header = false;
    }
    if (header) Fail(1, 1, LabelSheetProblem::Header, {QString(), QString::fromLatin1(kHeader[0])});
    return rows;
}

bool SheetReader::CheckHeader(const CsvRecord& record, const std::vector<QString>& fields) {
    for (int c = 0; c < COL_COUNT; ++c) {
        const QString name = fields[std::size_t(c)].trimmed();
        if (name.compare(QLatin1String(kHeader[c]), Qt::CaseInsensitive) != 0) {
            Fail(record.row, c + 1, LabelSheetProblem::Header, {name, QString::fromLatin1(kHeader[c])});
            return false;
        }
    }
    return true;
}

std::optional<SheetRow> SheetReader::ReadRow(const CsvRecord& record, const std::vector<QString>& fields) {
    const int row = record.row;
    const QString kind = fields[COL_KIND - 1].trimmed().toLower();
    if (kind != kInputKind && kind != kPanelKind) {
        Fail(row, COL_KIND, LabelSheetProblem::Kind, {fields[COL_KIND - 1]});
        return std::nullopt;
    }
    const int number = RowNumber(fields[COL_NUMBER - 1]);
    if (number == 0) {
        Fail(row, COL_NUMBER, LabelSheetProblem::Number, {fields[COL_NUMBER - 1]});
        return std::nullopt;
    }
    const LabelTarget target{kind == kPanelKind, number - 1};
    if (!target.panel) {
        if (target.index >= m_doc.GetTotalInputs(false)) {
            Fail(row, COL_NUMBER, LabelSheetProblem::NoSuchInput, {QString::number(number)});
            return std::nullopt;
        }
        // A sheet of another rack, whose inputs lie elsewhere, would label the wrong connectors.
        const QString slot = fields[COL_SLOT - 1].trimmed();
        const QString actual = QString::number(m_doc.GetSlotOfInput(target.index) + 1);
        if (!slot.isEmpty() && slot != actual) {
            Fail(row, COL_SLOT, LabelSheetProblem::Slot, {QString::number(number), actual});
            return std::nullopt;
        }
    }
    const auto [first, isNew] = m_seen.try_emplace(target, row);
    if (!isNew) {
        Fail(row, COL_NUMBER, LabelSheetProblem::RepeatedRow,
             {kind, QString::number(number), QString::number(first->second)});
        return std::nullopt;
    }
    std::optional<std::string> label = ReadLabel(row, fields[COL_LABEL - 1]);
    if (!label) return std::nullopt;
    return SheetRow{row, target, std::move(*label)};
}

std::optional<std::string> SheetReader::ReadLabel(int row, const QString& text) {
    for (const char32_t c : text.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        bool lossless = false;
        ToCodePage(character, &lossless);
        if (!lossless || c == 0) {
            Fail(row, COL_LABEL, LabelSheetProblem::NotInCodePage, {character});
            return std::nullopt;
        }
    }
    std::string bytes = ToCodePage(text);
    if (bytes.size() > std::size_t(kMaxLabelLength)) {
        Fail(row, COL_LABEL, LabelSheetProblem::TooLong, {QString::number(bytes.size())});
        return std::nullopt;
    }
    return bytes;
}

void StoreField(char (&field)[kLabelSize], const std::string& text) {
    std::memset(field, 0, kLabelSize);
    std::memcpy(field, text.data(), std::min<std::size_t>(text.size(), kMaxLabelLength));
}

}  // namespace

QByteArray ExportLabelSheet(const CMainDoc& doc, const ModuleNames& moduleNames) {
    QByteArray sheet(kByteOrderMark);
    sheet += CsvLine({kHeader[0], kHeader[1], kHeader[2], kHeader[3], kHeader[4]});
    for (int n = 0; n < doc.GetTotalInputs(false); ++n) {
        const int slot = doc.GetSlotOfInput(n);
        const int code = doc.GetModuleCode(slot);
        const QString module = moduleNames && code != 0 ? moduleNames(code) : QString();
        sheet += CsvLine({kInputKind.toLatin1(), QByteArray::number(n + 1), QByteArray::number(slot + 1),
                          module.toUtf8(), Utf8Label(doc.GetInputLabel(n, true))});
    }
    for (int p = 0; p < kPanelInputCount; ++p)
        sheet +=
            CsvLine({kPanelKind.toLatin1(), QByteArray::number(p + 1), {}, {}, Utf8Label(doc.GetPanelLabel(p, true))});
    return sheet;
}

LabelSheetImport ImportLabelSheet(CMainDoc& doc, QByteArrayView sheet) {
    SheetReader reader(doc);
    const std::vector<SheetRow> rows = reader.Read(sheet);
    LabelSheetImport result;
    result.errors = std::move(reader.errors());
    if (!result.ok()) return result;

    // The new labels are stored together, then each changed one is checked
    // against all the others as they will stand: a sheet may exchange two labels.
    DocContent content = doc.Content();
    std::vector<const SheetRow*> changed;
    for (const SheetRow& row : rows) {
        const int n = row.target.index;
        const std::string current = row.target.panel ? doc.GetPanelLabel(n, true) : doc.GetInputLabel(n, true);
        if (row.label == current) continue;  // the stored bytes stay, whatever follows the text
        const std::string fallBack = row.target.panel ? CMainDoc::DefaultPanelName(n) : CMainDoc::DefaultInputName(n);
        const std::string stored = row.label == fallBack ? std::string() : row.label;
        if (stored == current) continue;
        StoreField(row.target.panel ? content.panelLabels[n]
                                    : content.inputLabels[doc.GetSlotOfInput(n)][doc.GetLocalIndex(n)],
                   stored);
        if (!stored.empty()) changed.push_back(&row);
        ++result.changed;
    }
    if (result.changed == 0) return result;

    CMainDoc trial = doc;
    trial.RestoreContent(content);
    for (const SheetRow* row : changed) {
        // Setting a label again to its own text runs the editor's duplicate check.
        const bool unique = row->target.panel ? trial.SetPanelLabel(row->target.index, row->label)
                                              : trial.SetInputLabel(row->target.index, row->label);
        if (!unique)
            result.errors.push_back(
                {row->row, COL_LABEL, LabelSheetProblem::Duplicate, {row->target.panel ? kPanelKind : kInputKind}});
    }
    if (!result.ok()) {
        result.changed = 0;
        return result;
    }
    content.labelsModified = true;
    doc.RestoreContent(content);
    return result;
}

LabelSheetImport ImportLabelSheetIntoFile(QByteArray& fileBytes, QByteArrayView sheet, bool& corrupt) {
    const std::optional<ConfigFileContents> file = ParseConfigFile(fileBytes);
    CMainDoc doc;
    corrupt = !file || !doc.LoadFileBytes(fileBytes, {});
    if (corrupt) return {};
    const DocContent before = doc.Content();
    LabelSheetImport result = ImportLabelSheet(doc, sheet);
    if (!result.ok() || result.changed == 0) return result;
    const DocContent after = doc.Content();
    // Only the fields that changed are written, so a stored byte after a
    // label's end (or the file's last field byte, which loading clears) stays.
    char* labels = fileBytes.data() + ConfigFileSizeFor(file->version) - kInputLabelBytes - kPanelLabelBytes;
    const auto patch = [](char* at, const char* was, const char* now) {
        if (std::memcmp(was, now, kLabelSize) != 0) std::memcpy(at, now, kLabelSize);
    };
    for (int s = 0; s < kSlotCount; ++s)
        for (int i = 0; i < kInputsPerSlot; ++i)
            patch(labels + (s * kInputsPerSlot + i) * kLabelSize, before.inputLabels[s][i], after.inputLabels[s][i]);
    for (int p = 0; p < kPanelInputCount; ++p)
        patch(labels + kInputLabelBytes + p * kLabelSize, before.panelLabels[p], after.panelLabels[p]);
    return result;
}

QString LabelSheetErrorText(const LabelSheetError& error) {
    static const std::pair<LabelSheetProblem, unsigned> kTexts[] = {
        {LabelSheetProblem::TooLarge, IDS_SHEET_TOO_LARGE},
        {LabelSheetProblem::NotUtf8, IDS_SHEET_NOT_UTF8},
        {LabelSheetProblem::UnclosedQuote, IDS_SHEET_UNCLOSED_QUOTE},
        {LabelSheetProblem::TextAfterQuote, IDS_SHEET_TEXT_AFTER_QUOTE},
        {LabelSheetProblem::QuoteInField, IDS_SHEET_QUOTE_IN_FIELD},
        {LabelSheetProblem::ColumnCount, IDS_SHEET_COLUMNS},
        {LabelSheetProblem::Header, IDS_SHEET_HEADER},
        {LabelSheetProblem::Kind, IDS_SHEET_KIND},
        {LabelSheetProblem::Number, IDS_SHEET_NUMBER},
        {LabelSheetProblem::NoSuchInput, IDS_SHEET_NO_INPUT},
        {LabelSheetProblem::Slot, IDS_SHEET_SLOT},
        {LabelSheetProblem::RepeatedRow, IDS_SHEET_REPEATED},
        {LabelSheetProblem::TooLong, IDS_SHEET_TOO_LONG},
        {LabelSheetProblem::NotInCodePage, IDS_SHEET_NOT_IN_CODE_PAGE},
        {LabelSheetProblem::Duplicate, IDS_SHEET_DUPLICATE_INPUT},
    };
    unsigned id = IDS_SHEET_TOO_LARGE;
    for (const auto& [problem, text] : kTexts)
        if (problem == error.problem) id = text;
    QStringList inserts = error.details;
    const bool panel = !inserts.isEmpty() && inserts.first() == kPanelKind;
    if (error.problem == LabelSheetProblem::Duplicate && panel) id = IDS_SHEET_DUPLICATE_PANEL;
    if (error.problem == LabelSheetProblem::RepeatedRow && inserts.size() == 3) {
        // "input 3" or "panel input 3", then the row
        QString what;
        FormatUiString(what, panel ? IDS_END_PANEL_INPUT : IDS_END_INPUT, {inserts[1]});
        inserts = QStringList{what, inserts[2]};
    }
    QString reason, text;
    FormatUiString(reason, id, inserts);
    FormatUiString(text, IDS_SHEET_WHERE, {QString::number(error.row), QString::number(error.column), reason});
    return text;
}

QString LabelSheetErrorLines(const std::vector<LabelSheetError>& errors) {
    constexpr std::size_t kShown = 20;
    QStringList lines;
    for (std::size_t i = 0; i < errors.size() && i < kShown; ++i) lines << LabelSheetErrorText(errors[i]);
    if (errors.size() > kShown) lines << QStringLiteral("...");
    return lines.join(u'\n');
}
