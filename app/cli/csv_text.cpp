#include "csv_text.h"

#include <algorithm>

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

std::vector<std::string> splitCsvLine(std::string_view line)
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

}  // namespace folix
