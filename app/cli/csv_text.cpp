#include "csv_text.h"

#include <algorithm>
#include <cctype>

namespace folix {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The quoted part of a field, from just after its opening quote: doubled
// quotes stand for one, the next single quote closes it, and a quote left
// open takes the rest of the line.
std::string unquoted(std::string_view line, std::size_t& at)
{
    std::string text;
    while (at < line.size()) {
        const char c = line[at++];
        if (c != '"') {
            text += c;
        } else if (at < line.size() && line[at] == '"') {
            text += '"';
            ++at;
        } else {
            break;
        }
    }
    return text;
}

}  // namespace

bool nextCsvRecord(std::streambuf& in, CsvRecord& record, std::size_t longest)
{
    record.text.clear();
    record.lines = 0;
    record.tooLong = false;
    using Traits = std::streambuf::traits_type;
    Traits::int_type c = in.sbumpc();
    if (Traits::eq_int_type(c, Traits::eof())) return false;

    enum class Place { FieldStart, InField, Quoted, AfterQuote };
    Place place = Place::FieldStart;
    for (; !Traits::eq_int_type(c, Traits::eof()); c = in.sbumpc()) {
        const char ch = Traits::to_char_type(c);
        const bool quoted = place == Place::Quoted && !record.tooLong;
        if (ch == '\n') {
            ++record.lines;
            if (!quoted) {
                if (!record.text.empty() && record.text.back() == '\r') record.text.pop_back();
                return true;
            }
        }
        if (record.text.size() < longest) record.text += ch;
        else record.tooLong = true;

        switch (place) {
        case Place::FieldStart:
            if (ch == '"') place = Place::Quoted;
            else if (ch != ',' && !isBlank(ch)) place = Place::InField;
            break;
        case Place::InField:
        case Place::AfterQuote:
            if (ch == ',') place = Place::FieldStart;
            else if (place == Place::AfterQuote && ch == '"') place = Place::Quoted;  // a doubled quote
            else place = Place::InField;
            break;
        case Place::Quoted:
            if (ch == '"') place = Place::AfterQuote;
            break;
        }
    }
    // The input ended: a last line without its end, or a quote left open.
    const bool lastLineEnded = !record.text.empty() && record.text.back() == '\n';
    if (!lastLineEnded) ++record.lines;
    if (lastLineEnded) record.text.pop_back();
    if (!record.text.empty() && record.text.back() == '\r') record.text.pop_back();
    return true;
}

std::vector<std::string> splitCsvRecord(std::string_view line)
{
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (;;) {
        while (at < line.size() && isBlank(line[at])) ++at;
        std::string field = at < line.size() && line[at] == '"' ? unquoted(line, ++at) : std::string();
        // Text after a closing quote belongs to the field, as spreadsheets read it.
        const auto comma = std::min(line.find(',', at), line.size());
        field += trimmed(line.substr(at, comma - at));
        fields.push_back(std::move(field));
        if (comma == line.size()) return fields;
        at = comma + 1;
    }
}

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string lowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

}  // namespace folix
