#include "command_line.h"

#include <filesystem>
#include <set>
#include <string_view>
#include <utility>

#include "engine/number_text.h"
#include "engine/section_polar.h"
#include "strict_number.h"

namespace folix {

const char* const kUsageText =
    "Usage:\n"
    "  folix design [--thickness T] [--camber C] [--te-angle DEG] [--max-thickness-at X]\n"
    "               [--history | --json] [--save] [--alpha DEG]\n"
    "               [--dat FILE] [--cp FILE] [--points N] [--allow-crossing]\n"
    "               [--svg FILE] [--dxf FILE] [--pdf FILE] [--chord MM] [--te-gap G]\n"
    "               [--construction]\n"
    "  folix design [--thickness T] [--te-angle DEG] [--max-thickness-at X]\n"
    "               --cl CL (--alpha DEG | --ideal) [other design options]\n"
    "  folix design [--te-angle DEG] [--max-thickness-at X] --cl CL --sigma S\n"
    "               --bucket-half-width W [other design options]\n"
    "  folix bucket [--thickness T] [--camber C] [--te-angle DEG] [--max-thickness-at X]\n"
    "               --sigma S [--table] [--json]\n"
    "  folix batch FILE.csv [--save] [--alpha DEG] [-j N] [--first-line N]\n"
    "              [--dat-dir DIR [--points N] [--allow-crossing]]\n"
    "  folix polar [--thickness T] [--camber C] [--te-angle DEG] [--max-thickness-at X]\n"
    "              --alpha-from A --alpha-to B --alpha-step S [--json] [--points N]\n"
    "  folix --help | --version\n"
    "\n"
    "design   designs one section, like \"Design airfoil\" in the window, and prints\n"
    "         the family, F, G, m and the location of maximum thickness.\n"
    "  --thickness T         thickness ratio (default 0.10)\n"
    "  --camber C            camber ratio (default 0)\n"
    "  --te-angle DEG        trailing-edge angle in degrees (default 0); with\n"
    "                        --max-thickness-at it sets the first exponent tried\n"
    "  --max-thickness-at X  search the exponent for this location of maximum\n"
    "                        thickness over chord\n"
    "  --history             print the iteration history first\n"
    "  --json                print one JSON object instead\n"
    "  --save                append the design to Folix_Input.txt\n"
    "  --alpha DEG           angle of attack in degrees, positive nose-up (any finite\n"
    "                        number; the window offers -20 to 20): also print the\n"
    "                        lift coefficient Cl and the quarter-chord moment\n"
    "                        coefficient Cm of the exact inviscid flow\n"
    "  --dat FILE            write the section's coordinates in Selig format;\n"
    "                        FILE - (here or for --cp) is standard output, which\n"
    "                        then holds that file alone: the results go to\n"
    "                        standard error\n"
    "  --cp FILE             write \"x y Cp\" for every point of the coordinate file,\n"
    "                        in its order: the pressure coefficient at --alpha\n"
    "                        (default 0)\n"
    "  --allow-crossing      write --dat, --svg, --dxf and --pdf even for a section\n"
    "                        whose upper and lower surfaces cross (m > 2), which\n"
    "                        is otherwise refused\n"
    "  --points N            number of points of --dat and --cp: odd, 5 to 100001\n"
    "                        (default 161)\n"
    "  --svg FILE, --dxf FILE, --pdf FILE\n"
    "                        write the section at true scale in millimetres for CAD\n"
    "                        or cutting: SVG (viewBox in mm), DXF R12 (a closed\n"
    "                        polyline, units mm) or PDF, from 401 points clustered\n"
    "                        at both edges\n"
    "  --chord MM            chord of those drawings in mm, 0.1 to 100000 (default 100)\n"
    "  --te-gap G            open the trailing edge by G of the chord, 0 to 0.1,\n"
    "                        linearly along the chord (default 0, closed)\n"
    "  --construction        add the chord line and the maximum thickness on a\n"
    "                        layer of their own\n"
    "  --cl CL               design for this lift coefficient (0 or more) instead of a\n"
    "                        camber: the camber ratio whose section has the exact\n"
    "                        inviscid Cl within 1e-9 at --alpha, or with --ideal at\n"
    "                        its ideal angle (the front stagnation point on the\n"
    "                        leading edge, the outline's point of least x/c); prints\n"
    "                        the camber with every digit (and alpha_ideal)\n"
    "  --sigma S, --bucket-half-width W\n"
    "                        with --cl: the thinnest section, its camber centring the\n"
    "                        cavitation bucket at sigma S > 0 on CL, that stays free\n"
    "                        of cavitation from CL - W to CL + W (W > 0); prints its\n"
    "                        thickness and camber with every digit and the bucket\n"
    "\n"
    "batch    designs every row \"thickness,camber,te_angle[,max_thickness_at]\" of a\n"
    "         CSV file (\"-\" reads standard input) and writes CSV to standard output,\n"
    "         in input order, each row ending with its input line number (column line).\n"
    "         A header line maps the columns by name, in any order; columns it does\n"
    "         not know are carried through to the output. Ctrl+C stops after whole\n"
    "         rows and tells the last input line done.\n"
    "  --save                append every design whose status is ok to Folix_Input.txt\n"
    "  --alpha DEG           add the columns Cl and Cm at this angle of attack\n"
    "  -j N, --jobs N        design N rows at once, 1 to 1024 (default: one per core)\n"
    "  --first-line N        the input's first line is line N (a part of a larger file)\n"
    "  --dat-dir DIR         write DIR/line-000012.dat, the coordinates of every row\n"
    "                        whose status is ok or not converged (DIR made if missing)\n"
    "  --allow-crossing      also for rows whose surfaces cross (status surfaces cross)\n"
    "  --points N            number of points of those files, as for design\n"
    "\n"
    "polar    prints CSV \"alpha,Cl,Cm,Cp_min,x_Cp_min\" for one design (options as\n"
    "         for design): the exact inviscid Cl and Cm and the lowest pressure\n"
    "         coefficient on the surface with its x/c, at alpha = A + k S up to B.\n"
    "         For m > 2 or F <= 0 (no finite speed at the trailing or leading edge)\n"
    "         Cp_min is the lowest over the points of the coordinate file.\n"
    "  --alpha-from A, --alpha-to B, --alpha-step S\n"
    "                        angles of attack in degrees: A <= B, S > 0, at most\n"
    "                        100001 angles\n"
    "  --json                print one JSON object with an array per column instead\n"
    "  --points N            points of that coordinate file (default 161)\n"
    "\n"
    "bucket   designs one section (options as for design) and prints its cavitation\n"
    "         bucket at cavitation number S: the angles of attack and Cl over which\n"
    "         -Cp_min <= S (Cp_min over the whole surface, as polar finds it), the\n"
    "         width in Cl, and the angle, Cl and -Cp_min of the floor. Sections with\n"
    "         m > 2 have no finite speed at the trailing edge and no bucket.\n"
    "  --sigma S             cavitation number, greater than 0\n"
    "  --table               also print CSV \"alpha,Cl,minus_Cp_min\" at 41 angles over\n"
    "                        the range\n"
    "  --json                print one JSON object instead, every number with all\n"
    "                        its digits\n"
    "\n"
    "-- ends the options: folix batch -- -rows.csv reads the file -rows.csv.\n"
    "Exit status: 0 done, 1 a design, analysis, file or save failed, 2 wrong command line,\n"
    "two files of the command that are one file, or a batch input without a row of numbers;\n"
    "130 or 143 a batch stopped by Ctrl+C or SIGTERM.\n";

namespace {

// Walks the arguments of one command; options take "--name value" or
// "--name=value". After "--" every argument is an operand.
class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& args, std::size_t first) : args_(args), next_(first) {}

    bool done()
    {
        if (!operands_ && next_ < args_.size() && args_[next_] == "--") {
            operands_ = true;
            ++next_;
        }
        return next_ >= args_.size();
    }

    // Whether the arguments taken now are operands, whatever they look like.
    bool operand() const { return operands_; }

    // The next argument; an option's name is returned without an attached value.
    std::string take()
    {
        std::string arg = args_[next_++];
        attached_.reset();
        if (!operands_ && arg.rfind("--", 0) == 0) {
            const auto equals = arg.find('=');
            if (equals != std::string::npos) {
                attached_ = arg.substr(equals + 1);
                arg.resize(equals);
            }
            if (!seen_.insert(arg).second) throw UsageError(arg + " is given more than once");
        }
        return arg;
    }

    std::string value(const std::string& option)
    {
        if (attached_) return *std::exchange(attached_, std::nullopt);
        if (next_ >= args_.size() || args_[next_].rfind("--", 0) == 0) throw UsageError(option + " needs a value");
        return args_[next_++];
    }

    // For --help and --version, which end the command line.
    void nothingAfter(const std::string& option) const
    {
        if (next_ < args_.size()) throw UsageError("unexpected argument '" + args_[next_] + "' after " + option);
    }

    void noValue(const std::string& option) const
    {
        if (attached_) throw UsageError(option + " takes no value");
    }

    bool seen(const std::string& option) const { return seen_.count(option) != 0; }

private:
    const std::vector<std::string>& args_;
    std::size_t next_;
    std::optional<std::string> attached_;
    std::set<std::string> seen_;
    bool operands_ = false;
};

double number(ArgumentReader& reader, const std::string& option)
{
    const std::string text = reader.value(option);
    std::string problem;
    const auto value = readStrictNumber(text, problem);
    if (!value) throw UsageError(option + ": " + problem);
    return *value;
}

std::string fileName(ArgumentReader& reader, const std::string& option)
{
    std::string name = reader.value(option);
    if (name.empty()) throw UsageError(option + " needs a file name");
    return name;
}

bool flag(const ArgumentReader& reader, const std::string& option)
{
    reader.noValue(option);
    return true;
}

double boundedNumber(ArgumentReader& reader, const std::string& option, double low, double high)
{
    const double value = number(reader, option);
    if (value < low || value > high)
        throw UsageError(option + ": " + formatGeneral(value) + " is outside " + formatGeneral(low) + " to " +
                         formatGeneral(high));
    return value;
}

int pointCount(ArgumentReader& reader, const std::string& option)
{
    const std::string text = reader.value(option);
    std::string problem;
    const auto count = readStrictCount(text, problem);
    if (!count) throw UsageError(option + ": " + problem);
    if (*count % 2 == 0) throw UsageError(option + ": " + text + " is even; the count must be odd");
    if (!isSeligPointCount(*count))
        throw UsageError(option + ": " + text + " is outside " + std::to_string(kFewestSeligPoints) + " to " +
                         std::to_string(kMostSeligPoints));
    return static_cast<int>(*count);
}

unsigned jobCount(const std::string& option, const std::string& text)
{
    std::string problem;
    const auto count = readStrictCount(text, problem);
    if (!count) throw UsageError(option + ": " + problem);
    if (*count < 1 || *count > kMostJobs)
        throw UsageError(option + ": " + text + " is outside 1 to " + std::to_string(kMostJobs));
    return static_cast<unsigned>(*count);
}

std::size_t lineNumber(ArgumentReader& reader, const std::string& option)
{
    const std::string text = reader.value(option);
    std::string problem;
    const auto line = readStrictCount(text, problem);
    if (!line) throw UsageError(option + ": " + problem);
    if (*line < 1 || *line > kLastFirstLine)
        throw UsageError(option + ": " + text + " is outside 1 to " + std::to_string(kLastFirstLine));
    return static_cast<std::size_t>(*line);
}

// Two names of one file as far as the names tell; links are not followed.
bool sameFile(const std::string& a, const std::string& b)
{
    const auto absolute = [](const std::string& name) {
        std::error_code ignored;
        return std::filesystem::absolute(name, ignored).lexically_normal();
    };
    return absolute(a) == absolute(b);
}

[[noreturn]] void unexpected(const std::string& arg, const ArgumentReader& reader)
{
    if (!reader.operand() && arg.size() > 1 && arg.front() == '-') throw UsageError("unknown option " + arg);
    throw UsageError("unexpected argument '" + arg + "'");
}

Request help(const ArgumentReader& reader, const std::string& option)
{
    reader.nothingAfter(option);
    return HelpRequest{};
}

// The options that say which section to design, shared by design and polar;
// false for any other argument.
bool designOption(ArgumentReader& reader, const std::string& arg, DesignInputs& inputs)
{
    if (arg == "--thickness") inputs.thickness = number(reader, arg);
    else if (arg == "--camber") inputs.camber = number(reader, arg);
    else if (arg == "--te-angle") inputs.teAngleDegrees = number(reader, arg);
    else if (arg == "--max-thickness-at") inputs.maxThicknessAt = number(reader, arg);
    else return false;
    return true;
}

// A target that must be greater than 0 (or, with `zeroAllowed`, at least 0).
double positiveTarget(ArgumentReader& reader, const std::string& option, const char* what, bool zeroAllowed = false)
{
    const double value = number(reader, option);
    if (zeroAllowed ? value < 0 : !(value > 0))
        throw UsageError(option + ": " + what + (zeroAllowed ? " must be 0 or more" : " must be greater than 0"));
    return value;
}

// The target options of design; false for any other argument.
bool targetOption(ArgumentReader& reader, const std::string& arg, DesignTargets& targets)
{
    if (arg == "--cl")
        targets.cl = positiveTarget(reader, arg, "the lift coefficient (the camber ratio is never negative)", true);
    else if (arg == "--ideal") targets.ideal = flag(reader, arg);
    else if (arg == "--sigma") targets.sigma = positiveTarget(reader, arg, "the cavitation number");
    else if (arg == "--bucket-half-width") targets.bucketHalfWidth = positiveTarget(reader, arg, "the half-width in Cl");
    else return false;
    return true;
}

// Which targets go together, and which typed inputs they replace.
void checkTargets(const DesignRequest& request, const ArgumentReader& reader)
{
    const DesignTargets& targets = request.targets;
    const bool bucket = targets.sigma || targets.bucketHalfWidth;
    if (targets.ideal && request.alpha) throw UsageError("--ideal and --alpha exclude each other (--ideal finds the angle)");
    if (!targets.cl) {
        if (targets.ideal) throw UsageError("--ideal needs --cl");
        if (bucket) throw UsageError("--sigma and --bucket-half-width need --cl (folix bucket gives the bucket of a design)");
        return;
    }
    if (reader.seen("--camber")) throw UsageError("--camber and --cl exclude each other (--cl solves the camber)");
    if (bucket) {
        if (!targets.sigma || !targets.bucketHalfWidth) throw UsageError("--sigma and --bucket-half-width go together");
        if (targets.ideal || request.alpha)
            throw UsageError("--bucket-half-width excludes --alpha and --ideal (the bucket spans the angles)");
        if (reader.seen("--thickness"))
            throw UsageError("--thickness and --bucket-half-width exclude each other (the thickness is solved)");
    } else if (!targets.ideal && !request.alpha) {
        throw UsageError("--cl needs --alpha DEG, --ideal, or --sigma with --bucket-half-width");
    }
}

Request parseDesign(const std::vector<std::string>& args)
{
    DesignRequest request;
    ArgumentReader reader(args, 1);
    while (!reader.done()) {
        const std::string arg = reader.take();
        if (reader.operand()) unexpected(arg, reader);  // design takes none
        if (designOption(reader, arg, request.inputs) || targetOption(reader, arg, request.targets)) continue;
        if (arg == "--dat") request.datFile = fileName(reader, arg);
        else if (arg == "--cp") request.cpFile = fileName(reader, arg);
        else if (arg == "--alpha") request.alpha = number(reader, arg);
        else if (arg == "--points") request.points = pointCount(reader, arg);
        else if (arg == "--svg") request.svgFile = fileName(reader, arg);
        else if (arg == "--dxf") request.dxfFile = fileName(reader, arg);
        else if (arg == "--pdf") request.pdfFile = fileName(reader, arg);
        else if (arg == "--chord") request.drawing.chordMillimetres = boundedNumber(reader, arg, kSmallestChordMillimetres, kLargestChordMillimetres);
        else if (arg == "--te-gap") request.drawing.trailingEdgeGap = boundedNumber(reader, arg, 0, kLargestTrailingEdgeGap);
        else if (arg == "--construction") request.drawing.constructionLayer = flag(reader, arg);
        else if (arg == "--history") request.history = flag(reader, arg);
        else if (arg == "--json") request.json = flag(reader, arg);
        else if (arg == "--save") request.save = flag(reader, arg);
        else if (arg == "--allow-crossing") request.allowCrossing = flag(reader, arg);
        else if (arg == "--help" || arg == "-h") return help(reader, arg);
        else unexpected(arg, reader);
    }
    if (request.allowCrossing && !request.datFile && !request.drawn())
        throw UsageError("--allow-crossing needs --dat, --svg, --dxf or --pdf");
    checkTargets(request, reader);
    if (request.history && request.json) throw UsageError("--history and --json exclude each other (the JSON holds the history)");
    if (reader.seen("--points") && !request.datFile && !request.cpFile) throw UsageError("--points needs --dat or --cp");
    for (const char* option : {"--chord", "--te-gap", "--construction"})
        if (reader.seen(option) && !request.drawn()) throw UsageError(std::string(option) + " needs --svg, --dxf or --pdf");
    const char* const names[] = {"--dat", "--cp", "--svg", "--dxf", "--pdf"};
    const auto files = request.files();
    for (std::size_t i = 0; i < files.size(); ++i)
        for (std::size_t j = i + 1; j < files.size(); ++j) {
            const std::optional<std::string>& a = *files[i];
            const std::optional<std::string>& b = *files[j];
            if (!a || !b) continue;
            const std::string both = std::string(names[i]) + " and " + names[j];
            if (*a == kStandardStream && *b == kStandardStream)
                throw UsageError(both + " cannot both write to standard output (-)");
            if (*a != kStandardStream && *b != kStandardStream && sameFile(*a, *b))
                throw UsageError(both + " name the same file");
        }
    return request;
}

Request parseBatch(const std::vector<std::string>& args)
{
    BatchRequest request;
    bool haveFile = false;
    ArgumentReader reader(args, 1);
    while (!reader.done()) {
        const std::string arg = reader.take();
        if (reader.operand() || arg == kStandardStream || arg.empty() || arg.front() != '-') {
            if (haveFile) throw UsageError("batch takes one file, not '" + request.file + "' and '" + arg + "'");
            request.file = arg;
            haveFile = true;
        } else if (arg == "--save") request.save = flag(reader, arg);
        else if (arg == "--alpha") request.alpha = number(reader, arg);
        else if (arg == "--jobs" || arg.rfind("-j", 0) == 0) {
            if (request.jobs) throw UsageError("-j and --jobs are given more than once");
            const bool attached = arg.size() > 2 && arg != "--jobs";  // -j4, as make takes it
            request.jobs = jobCount(attached ? "-j" : arg, attached ? arg.substr(2) : reader.value(arg));
        } else if (arg == "--first-line") request.firstLine = lineNumber(reader, arg);
        else if (arg == "--dat-dir") {
            request.datDir = fileName(reader, arg);
            if (request.datDir == kStandardStream) throw UsageError("--dat-dir needs a folder; - is no folder");
        } else if (arg == "--points") request.points = pointCount(reader, arg);
        else if (arg == "--allow-crossing") request.allowCrossing = flag(reader, arg);
        else if (arg == "--help" || arg == "-h") return help(reader, arg);
        else unexpected(arg, reader);
    }
    if (!haveFile) throw UsageError("batch needs a CSV file");
    if (reader.seen("--points") && !request.datDir) throw UsageError("--points needs --dat-dir");
    if (request.allowCrossing && !request.datDir) throw UsageError("--allow-crossing needs --dat-dir");
    return request;
}

Request parsePolar(const std::vector<std::string>& args)
{
    PolarRequest request;
    std::optional<double> from;
    std::optional<double> to;
    std::optional<double> step;
    ArgumentReader reader(args, 1);
    while (!reader.done()) {
        const std::string arg = reader.take();
        if (reader.operand()) unexpected(arg, reader);  // polar takes none
        if (designOption(reader, arg, request.inputs)) continue;
        if (arg == "--alpha-from") from = number(reader, arg);
        else if (arg == "--alpha-to") to = number(reader, arg);
        else if (arg == "--alpha-step") step = number(reader, arg);
        else if (arg == "--points") request.points = pointCount(reader, arg);
        else if (arg == "--json") request.json = flag(reader, arg);
        else if (arg == "--help" || arg == "-h") return help(reader, arg);
        else unexpected(arg, reader);
    }
    if (!from || !to || !step) throw UsageError("polar needs --alpha-from, --alpha-to and --alpha-step");
    try {
        request.alphas = polarAngles(*from, *to, *step);
    } catch (const std::invalid_argument& e) {
        throw UsageError(e.what());
    }
    return request;
}

Request parseBucket(const std::vector<std::string>& args)
{
    BucketRequest request;
    std::optional<double> sigma;
    ArgumentReader reader(args, 1);
    while (!reader.done()) {
        const std::string arg = reader.take();
        if (reader.operand()) unexpected(arg, reader);  // bucket takes none
        if (designOption(reader, arg, request.inputs)) continue;
        if (arg == "--sigma") sigma = positiveTarget(reader, arg, "the cavitation number");
        else if (arg == "--table") request.table = flag(reader, arg);
        else if (arg == "--json") request.json = flag(reader, arg);
        else if (arg == "--help" || arg == "-h") return help(reader, arg);
        else unexpected(arg, reader);
    }
    if (!sigma) throw UsageError("bucket needs --sigma S, the cavitation number");
    request.sigma = *sigma;
    return request;
}

}  // namespace

Request parseCommandLine(const std::vector<std::string>& args)
{
    if (args.empty()) throw UsageError("no command given");
    const std::string& command = args.front();
    if (command == "--help" || command == "-h" || command == "help") return help(ArgumentReader(args, 1), command);
    if (command == "--version") {
        ArgumentReader(args, 1).nothingAfter(command);
        return VersionRequest{};
    }
    if (command == "design") return parseDesign(args);
    if (command == "batch") return parseBatch(args);
    if (command == "polar") return parsePolar(args);
    if (command == "bucket") return parseBucket(args);
    if (!command.empty() && command.front() == '-') throw UsageError("unknown option " + command);
    throw UsageError("unknown command '" + command + "'");
}

}  // namespace folix
