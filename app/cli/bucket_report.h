#pragma once

#include <string>
#include <utility>
#include <vector>

#include "design/cavitation_bucket.h"

namespace folix {

// The bucket's numbers by name, in the order every report gives them:
// alpha_low, alpha_high, Cl_low, Cl_high, Cl_width, alpha_floor, Cl_floor,
// minus_Cp_min_floor.
std::vector<std::pair<std::string, double>> bucketFields(const CavitationBucket& bucket);

// Those of the floor alone, for a sigma below it.
std::vector<std::pair<std::string, double>> floorFields(const BucketPoint& floor);

// "sigma: S" and one "name: value" line per field, 15 significant digits.
std::string bucketLines(double sigma, const std::vector<std::pair<std::string, double>>& fields);

// The same as JSON members "  \"name\": value,\n", every digit.
std::string bucketJsonMembers(const std::vector<std::pair<std::string, double>>& fields, const std::string& indent);

// A number with every digit: the shortest text that reads back as the same double.
std::string everyDigit(double value);

}  // namespace folix
