#include "reference_section.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace folix {

namespace {

struct Line {
    int number;
    std::string_view text;  // without its line end
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string byteText(unsigned char byte)
{
    const char* digits = "0123456789abcdef";
    return std::string("0x") + digits[byte >> 4] + digits[byte & 15];
}

std::vector<Line> linesOf(std::string_view text)
{
    std::vector<Line> lines;
    int number = 1;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        for (const char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            if ((byte < 0x20 && c != '\t') || byte == 0x7f)
                throw ReferenceFileError(number, "not a text file (byte " + byteText(byte) + ")");
        }
        lines.push_back({number, line});
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
        ++number;
    }
    return lines;
}

std::optional<double> numberOf(std::string_view word)
{
    if (!word.empty() && word.front() == '+') word.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// Exactly two numbers, or none.
std::optional<SectionPoint> pairOf(std::string_view text)
{
    text = trimmed(text);
    std::size_t split = 0;
    while (split < text.size() && !isBlank(text[split])) ++split;
    const std::optional<double> x = numberOf(text.substr(0, split));
    const std::optional<double> y = numberOf(trimmed(text.substr(split)));
    if (!x || !y) return std::nullopt;
    return SectionPoint{*x, *y};
}

SectionPoint pointOf(const Line& line)
{
    const std::optional<SectionPoint> p = pairOf(line.text);
    if (!p) throw ReferenceFileError(line.number, "expected two numbers \"x y\", found \"" + std::string(trimmed(line.text)) + "\"");
    return *p;
}

// A Lednicer counts line: two whole numbers of at least 2, written "61." as often as "61".
std::optional<std::array<std::size_t, 2>> countsOf(const Line& line)
{
    const std::optional<SectionPoint> p = pairOf(line.text);
    if (!p) return std::nullopt;
    const auto whole = [](double v) { return v >= 2 && v <= kMostSeligPoints && v == std::trunc(v); };
    if (!whole(p->x) || !whole(p->y)) return std::nullopt;
    return std::array<std::size_t, 2>{static_cast<std::size_t>(p->x), static_cast<std::size_t>(p->y)};
}

std::vector<SectionPoint> lednicerPoints(const std::vector<Line>& data, const Line& countsLine,
                                         std::array<std::size_t, 2> counts)
{
    const std::size_t wanted = counts[0] + counts[1];
    std::vector<SectionPoint> read;
    for (const Line& line : data) {
        if (trimmed(line.text).empty()) continue;
        if (read.size() == wanted)
            throw ReferenceFileError(line.number, "more points than the counts on line " +
                                                      std::to_string(countsLine.number) + " announce");
        read.push_back(pointOf(line));
    }
    if (read.size() < wanted)
        throw ReferenceFileError(countsLine.number, "the counts announce " + std::to_string(wanted) +
                                                        " points, the file has " + std::to_string(read.size()));
    // Upper surface turned round to run from the trailing edge, then the
    // lower one, its first point left out when it is the same leading edge.
    std::vector<SectionPoint> points(read.rbegin() + static_cast<std::ptrdiff_t>(counts[1]), read.rend());
    const auto lower = read.begin() + static_cast<std::ptrdiff_t>(counts[0]);
    const bool sharedLeadingEdge = lower->x == read.front().x && lower->y == read.front().y;
    points.insert(points.end(), lower + (sharedLeadingEdge ? 1 : 0), read.end());
    return points;
}

std::vector<SectionPoint> seligPointsOf(const std::vector<Line>& data)
{
    std::vector<SectionPoint> points;
    std::optional<int> blankAfterPoints;
    for (const Line& line : data) {
        if (trimmed(line.text).empty()) {
            if (!points.empty() && !blankAfterPoints) blankAfterPoints = line.number;
            continue;
        }
        if (blankAfterPoints)
            throw ReferenceFileError(*blankAfterPoints, "a blank line between points: a Lednicer file needs its "
                                                        "counts line, a Selig file has none");
        points.push_back(pointOf(line));
    }
    // Trailing edge first and last, the leading edge (least x) in between.
    if (points.size() >= 3) {
        std::size_t front = 0;
        for (std::size_t k = 1; k < points.size(); ++k)
            if (points[k].x < points[front].x) front = k;
        if (front == 0 || front + 1 == points.size())
            throw ReferenceFileError(data.front().number,
                                     "the points must run from the trailing edge over the leading edge and back "
                                     "(Selig order)");
    }
    return points;
}

std::string systemText(int error) { return std::error_code(error, std::generic_category()).message(); }

}  // namespace

ReferenceSection parseReferenceSection(std::string_view text, const std::string& fallbackName)
{
    std::vector<Line> lines = linesOf(text);
    if (lines.empty()) throw ReferenceFileError(0, "the file is empty");

    ReferenceSection section;
    if (pairOf(lines.front().text)) {
        section.name = fallbackName;
    } else {
        section.name = std::string(trimmed(lines.front().text));
        lines.erase(lines.begin());
    }

    const auto firstData = std::find_if(lines.begin(), lines.end(), [](const Line& l) { return !trimmed(l.text).empty(); });
    if (firstData == lines.end()) throw ReferenceFileError(0, "the file holds no points");
    const std::optional<std::array<std::size_t, 2>> counts = countsOf(*firstData);
    section.points = counts ? lednicerPoints(std::vector<Line>(firstData + 1, lines.end()), *firstData, *counts)
                            : seligPointsOf(std::vector<Line>(firstData, lines.end()));

    if (section.points.size() < static_cast<std::size_t>(kFewestSeligPoints) ||
        section.points.size() > static_cast<std::size_t>(kMostSeligPoints))
        throw ReferenceFileError(0, "a section needs from " + std::to_string(kFewestSeligPoints) + " to " +
                                        std::to_string(kMostSeligPoints) + " points, the file has " +
                                        std::to_string(section.points.size()));
    return section;
}

ReferenceSection readReferenceSection(const std::filesystem::path& path)
{
    // Not blocking on a pipe or a device: only a regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) throw ReferenceFileError(0, "cannot open: " + systemText(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    struct stat status {};
    if (::fstat(fd, &status) != 0) throw ReferenceFileError(0, "cannot read: " + systemText(errno));
    if (!S_ISREG(status.st_mode)) throw ReferenceFileError(0, "not a regular file");
    const std::string tooLarge = "larger than " + std::to_string(kLargestReferenceFile >> 20) + " MiB: not a coordinate file";
    if (status.st_size < 0 || static_cast<std::uintmax_t>(status.st_size) > kLargestReferenceFile)
        throw ReferenceFileError(0, tooLarge);

    // Read to its end, whatever its size claimed, but never past the limit.
    std::string text;
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw ReferenceFileError(0, "cannot read: " + systemText(errno));
        if (got == 0) break;
        text.append(chunk, static_cast<std::size_t>(got));
        if (text.size() > kLargestReferenceFile) throw ReferenceFileError(0, tooLarge);
    }
    return parseReferenceSection(text, path.stem().string());
}

}  // namespace folix
