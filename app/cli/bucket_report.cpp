#include "bucket_report.h"

#include "engine/number_text.h"
#include "json_text.h"

namespace folix {

std::vector<std::pair<std::string, double>> floorFields(const BucketPoint& floor)
{
    return {{"alpha_floor", floor.alpha}, {"Cl_floor", floor.Cl}, {"minus_Cp_min_floor", floor.suction}};
}

std::vector<std::pair<std::string, double>> bucketFields(const CavitationBucket& bucket)
{
    std::vector<std::pair<std::string, double>> fields = {{"alpha_low", bucket.low.alpha},
                                                          {"alpha_high", bucket.high.alpha},
                                                          {"Cl_low", bucket.low.Cl},
                                                          {"Cl_high", bucket.high.Cl},
                                                          {"Cl_width", bucket.width()}};
    for (auto& field : floorFields(bucket.floor)) fields.push_back(std::move(field));
    return fields;
}

std::string bucketLines(double sigma, const std::vector<std::pair<std::string, double>>& fields)
{
    std::string text = "sigma: " + formatGeneral(sigma) + '\n';
    for (const auto& [name, value] : fields) text += name + ": " + formatGeneral(value) + '\n';
    return text;
}

std::string bucketJsonMembers(const std::vector<std::pair<std::string, double>>& fields, const std::string& indent)
{
    std::string json;
    for (const auto& [name, value] : fields) json += indent + jsonString(name) + ": " + jsonNumber(value) + ",\n";
    return json;
}

std::string everyDigit(double value) { return jsonNumber(value == 0 ? 0.0 : value); }

}  // namespace folix
