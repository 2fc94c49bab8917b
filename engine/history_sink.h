#pragma once

#include <string>
#include <vector>

namespace folix {

// Receives the iteration-history lines in the order they are written.
class HistorySink {
public:
    virtual ~HistorySink() = default;
    virtual void append(const std::string& line) = 0;
    // The separator the reader's region writes between integer and decimals.
    virtual std::string decimalSeparator() const { return "."; }
};

class VectorHistory : public HistorySink {
public:
    void append(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

}  // namespace folix
