#include "batch_columns.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "csv_text.h"
#include "strict_number.h"

namespace folix {

namespace {

bool sameLetters(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<std::size_t> knownColumn(std::string_view name)
{
    const auto& known = knownColumns();
    for (std::size_t k = 0; k < known.size(); ++k)
        if (sameLetters(name, known[k].name)) return k;
    return std::nullopt;
}

std::string fieldCount(std::size_t count) { return std::to_string(count) + (count == 1 ? " field" : " fields"); }

// Whether the output shows a known column: always the positional ones, others when the header names them.
bool shown(const BatchColumns& columns, std::size_t k)
{
    return knownColumns()[k].positional || columns.known[k].has_value();
}

// "3 or 4": how many fields a row without a header may have.
std::pair<std::size_t, std::size_t> positionalCounts()
{
    std::size_t fewest = 0;
    std::size_t most = 0;
    for (const KnownColumn& column : knownColumns()) {
        if (!column.positional) continue;
        ++most;
        if (column.required) fewest = most;
    }
    return {fewest, most};
}

// Whether a header names the positional columns in their places and nothing
// else (an empty name standing for a positional column it does not name):
// the file is then read as one without a header, its rows as they always were.
bool positionalHeader(const std::vector<std::string>& fields, const BatchColumns& named)
{
    const BatchColumns positional = positionalColumns();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::optional<std::size_t> k = knownColumn(fields[i]);
        const auto place = std::find(positional.known.begin(), positional.known.end(), i);
        if (place == positional.known.end()) return false;
        const auto column = static_cast<std::size_t>(place - positional.known.begin());
        if (k ? *k != column : !fields[i].empty() || named.known[column].has_value()) return false;
    }
    return true;
}

}  // namespace

const std::vector<KnownColumn>& knownColumns()
{
    static const std::vector<KnownColumn> columns = {
        {"thickness", true, true, [](DesignInputs& in, double v) { in.thickness = v; }},
        {"camber", true, true, [](DesignInputs& in, double v) { in.camber = v; }},
        {"te_angle", true, true, [](DesignInputs& in, double v) { in.teAngleDegrees = v; }},
        {"max_thickness_at", false, true, [](DesignInputs& in, double v) { in.maxThicknessAt = v; }},
    };
    return columns;
}

BatchColumns positionalColumns()
{
    BatchColumns columns;
    columns.known.resize(knownColumns().size());
    std::size_t field = 0;
    for (std::size_t k = 0; k < knownColumns().size(); ++k)
        if (knownColumns()[k].positional) columns.known[k] = field++;
    return columns;
}

std::optional<BatchColumns> headerColumns(const std::vector<std::string>& fields, std::string& problem)
{
    if (std::none_of(fields.begin(), fields.end(), [](const std::string& f) {
            return knownColumn(f).has_value() || targetColumnNamed(f).has_value();
        }))
        return std::nullopt;
    BatchColumns columns;
    columns.named = true;
    columns.fields = fields.size();
    columns.known.resize(knownColumns().size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::optional<std::size_t> k = knownColumn(fields[i]);
        const std::optional<TargetColumn> target = k ? std::nullopt : targetColumnNamed(fields[i]);
        if (target && columns.targets.has(*target)) {
            problem = "the header names " + lowerCase(fields[i]) + " twice";
        } else if (target) {
            columns.targets.fields.emplace_back(*target, i);
        } else if (!k) {
            columns.carried.push_back(i);
            columns.carriedNames.push_back(fields[i]);
        } else if (columns.known[*k]) {
            problem = std::string("the header names ") + knownColumns()[*k].name + " twice (columns " +
                      std::to_string(*columns.known[*k] + 1) + " and " + std::to_string(i + 1) + ")";
        } else {
            columns.known[*k] = i;
        }
    }
    for (std::size_t k = 0; k < knownColumns().size() && problem.empty(); ++k) {
        const bool solved = (k == kCamberColumn && columns.targets.has(TargetColumn::Cl)) ||
                            (k == kThicknessColumn && columns.targets.has(TargetColumn::BucketHalfWidth));
        if (knownColumns()[k].required && !columns.known[k] && !solved)
            problem = std::string("the header names no ") + knownColumns()[k].name + " column";
    }
    if (problem.empty() && !columns.targets.any() && positionalHeader(fields, columns)) return positionalColumns();
    return columns;
}

std::optional<DesignInputs> rowInputs(const BatchColumns& columns, const std::vector<std::string>& fields,
                                      std::string& problem)
{
    if (columns.named && fields.size() > columns.fields) {
        problem = fieldCount(fields.size()) + " where the header has " + std::to_string(columns.fields);
        return std::nullopt;
    }
    if (!columns.named) {
        const auto [fewest, most] = positionalCounts();
        if (fields.size() < fewest || fields.size() > most) {
            problem = fieldCount(fields.size()) + " instead of " + std::to_string(fewest) + " or " + std::to_string(most);
            return std::nullopt;
        }
    }
    DesignInputs inputs;
    for (std::size_t k = 0; k < knownColumns().size(); ++k) {
        const KnownColumn& column = knownColumns()[k];
        const std::optional<std::size_t> field = columns.known[k];
        // A column the header may leave out (one a target solves for) keeps its default.
        if (!field) continue;
        const bool given = *field < fields.size() && !fields[*field].empty();
        // An empty optional field counts as absent; an empty required one is reported as not a number.
        if (!given && !column.required) continue;
        std::string why;
        const std::optional<double> value = readStrictNumber(given ? fields[*field] : "", why);
        if (!value) {
            problem = std::string(column.name) + " " + why;
            return std::nullopt;
        }
        column.set(inputs, *value);
    }
    return inputs;
}

std::string inputHeader(const BatchColumns& columns)
{
    std::string text;
    for (std::size_t k = 0; k < knownColumns().size(); ++k)
        if (shown(columns, k)) text += std::string(knownColumns()[k].name) + ',';
    text += targetInputHeader(columns.targets);
    for (const std::string& name : columns.carriedNames) text += csvField(name) + ',';
    return text;
}

std::string inputFields(const BatchColumns& columns, const std::vector<std::string>& fields)
{
    const auto field = [&fields](std::optional<std::size_t> i) {
        return i && *i < fields.size() ? csvField(fields[*i]) : std::string();
    };
    std::string text;
    for (std::size_t k = 0; k < knownColumns().size(); ++k)
        if (shown(columns, k)) text += field(columns.known[k]) + ',';
    text += targetInputFields(columns.targets, fields);
    for (const std::size_t i : columns.carried) text += field(i) + ',';
    return text;
}

}  // namespace folix
