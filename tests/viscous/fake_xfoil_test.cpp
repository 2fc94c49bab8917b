// XFOIL stand-ins that misbehave: folix must end every one within its
// timeout, report no failed angle as converged, and leave neither a process
// nor a temporary folder behind.

#include <chrono>
#include <cmath>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>
#include <unistd.h>

#include "engine/selig_export.h"
#include "viscous/polar_batch.h"
#include "viscous/xfoil_program.h"

namespace folix {
namespace {

namespace fs = std::filesystem;

// Answers folix's commands as XFOIL would: saves the contour it loaded (as
// if re-panelled with as many nodes as it has points), writes a polar header
// from the settings, a row per angle with Cl = alpha / 10, and the markers. @ALFA@ and @SAVE@ are the places a
// case makes it misbehave; it logs the angles it is given and its own pid.
constexpr const char* kImitation = R"sh(#!/bin/sh
echo $$ >> "@LOG@.pids"
re=0 mach=0 ncrit=9 xt=1 xb=1 vpar=0 polar=
while IFS= read -r line; do
  set -- $line
  case "$1" in
  LOAD) contour=$2 ;;
  SAVE) @SAVE@ ;;
  VISC) re=$2 ;;
  MACH) mach=$2 ;;
  VPAR) vpar=1 ;;
  '') vpar=0 ;;
  N) [ $vpar = 1 ] && ncrit=$2 ;;
  XTR) xt=$2 xb=$3 ;;
  PACC) [ -n "$polar" ] && continue; IFS= read -r polar
    awk -v n="$(head -n 1 "$contour")" -v re=$re -v m=$mach -v c=$ncrit -v t=$xt -v b=$xb 'BEGIN {
      printf " Calculated polar for: %s\n xtrf = %.3f (top) %.3f (bottom)\n", n, t, b
      printf " Mach = %.3f Re = %.3f e 6 Ncrit = %.3f %.3f\n  ------ --------\n", m, re / 1e6, c, c }' > "$polar" ;;
  ALFA) echo "$2" >> "@LOG@.angles"; @ALFA@
    awk -v a=$2 'BEGIN { printf " %.3f %.4f 0.01000 0.00100 -0.0500 0.5000 0.6000\n", a, a / 10 }' >> "$polar" ;;
  CPWR) : > "$2" ;;
  QUIT) exit 0 ;;
  esac
done
)sh";

class FakeXfoil : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("folix-fake-" + std::to_string(::getpid()) + "-" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "tmp");
        log_ = folder_ / "log";
        ::setenv("TMPDIR", (folder_ / "tmp").c_str(), 1);
        options_.reynolds = 1e6;
        options_.panelNodes = kDefaultSeligPoints;
        options_.timeoutSeconds = 30;
    }
    void TearDown() override
    {
        ::unsetenv("TMPDIR");
        fs::remove_all(folder_);
    }

    // Writes the program and makes the options name it.
    void program(std::string text)
    {
        for (const auto& [mark, value] : {std::pair{"@LOG@", log_.string()}, {"@SAVE@", save_}, {"@ALFA@", alfa_}})
            for (std::size_t at; (at = text.find(mark)) != std::string::npos;)
                text.replace(at, std::strlen(mark), value);
        const fs::path path = folder_ / "xfoil";
        std::ofstream(path) << text;
        fs::permissions(path, fs::perms::owner_all);
        options_.xfoil = path.string();
    }

    ViscousPolar polar(const std::vector<double>& alphas)
    {
        const auto start = std::chrono::steady_clock::now();
        ViscousPolar p = viscousPolar(seligPoints(0.0703, 0.04377, 1.94444, 161), "T1", alphas, options_, control_);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took.count(), options_.timeoutSeconds + 0.5);
        EXPECT_TRUE(fs::is_empty(folder_ / "tmp")) << "a temporary folder was left";
        std::ifstream pids(folder_ / "log.pids");
        for (pid_t pid; pids >> pid;) EXPECT_FALSE(alive(pid)) << pid;
        return p;
    }

    std::string angleLog() const
    {
        std::ifstream in(folder_ / "log.angles");
        std::string all, angle;
        while (in >> angle) all += angle + " ";
        return all;
    }

    // Running, after the moment a killed process takes to die.
    static bool alive(pid_t pid)
    {
        for (int wait = 0; wait < 100; ++wait) {
            std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
            std::string text;
            std::getline(stat, text);
            if (text.empty() || text.find(") Z ") != std::string::npos) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    fs::path folder_;
    fs::path log_;
    std::string save_ = R"(cp "$contour" "$2")";
    std::string alfa_ = ":";
    ViscousOptions options_;
    PolarControl control_;
};

// "C" converged (Cl = alpha / 10), "N" not converged, else a failure containing the text.
void expectStatuses(const ViscousPolar& p, const std::vector<std::string>& expected)
{
    ASSERT_EQ(p.angles.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ViscousAngle& a = p.angles[i];
        const std::string status = statusText(a);
        if (expected[i] == "C") {
            EXPECT_EQ(status, "converged") << a.alpha;
            EXPECT_DOUBLE_EQ(a.Cl, std::round(a.alpha * 1000) / 10000) << a.alpha;
        } else if (expected[i] == "N") {
            EXPECT_EQ(status, "not converged") << a.alpha;
        } else {
            EXPECT_NE(status.find("failed: " + expected[i]), std::string::npos) << a.alpha << ": " << status;
        }
    }
}

TEST_F(FakeXfoil, RunsThatEndBadlyFailTheirAnglesAndLeaveNothing)
{
    const struct {
        const char* name;
        std::string script;
        std::vector<std::string> statuses;  // for -1, 0, 1
    } cases[] = {
        {"hangs", "#!/bin/sh\necho $$ >> @LOG@.pids\nsleep 100 &\necho $! >> @LOG@.pids\nwait\n",
         {"not reached", "timed out", "not reached"}},
        {"ends on SIGFPE", "#!/bin/sh\necho $$ >> @LOG@.pids\nkill -FPE $$\n",
         {"XFOIL ended on signal SIGFPE", "XFOIL ended on signal SIGFPE", "XFOIL ended on signal SIGFPE"}},
        {"prints NaN forever", "#!/bin/sh\necho $$ >> @LOG@.pids\nwhile :; do echo NaN NaN NaN; done\n",
         {"not reached", "timed out", "not reached"}},
        {"exits 0 without a polar", "#!/bin/sh\necho $$ >> @LOG@.pids\nexit 0\n",
         {"XFOIL ended with status 0 before it had loaded", "XFOIL ended with status 0 before it had loaded",
          "XFOIL ended with status 0 before it had loaded"}},
    };
    options_.timeoutSeconds = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        program(c.script);
        expectStatuses(polar({-1, 0, 1}), c.statuses);
        fs::remove(folder_ / "log.pids");
    }
}

TEST_F(FakeXfoil, AnglesAreSweptOutwardsAndEachAngleIsDecidedOnce)
{
    program(kImitation);
    options_.xfoil = fs::relative(options_.xfoil).string();  // XFOIL starts in a folder of its own
    std::vector<int> told(6, 0);
    control_.angleDone = [&](std::size_t i, const ViscousAngle& a) {
        ++told.at(i);
        EXPECT_EQ(a.status, ViscousAngle::Status::Converged);
    };
    expectStatuses(polar({3, -2, 0.5, -1, 1.5, 2.25}), {"C", "C", "C", "C", "C", "C"});
    EXPECT_EQ(angleLog(), "0.5 1.5 2.25 3 -1 -2 ");
    EXPECT_EQ(told, std::vector<int>(6, 1));
}

TEST_F(FakeXfoil, AnglesAfterAFailureGoOnInAFreshRun)
{
    const struct {
        const char* name;
        std::string alfa;  // at angle 1
        std::vector<std::string> statuses;  // for -1 .. 3
        const char* angles;
    } cases[] = {
        {"crash", "kill -FPE $$", {"C", "C", "XFOIL ended on signal SIGFPE", "C", "C"}, "0 1 2 3 -1 "},
        {"no row", "continue", {"C", "C", "N", "C", "C"}, "0 1 2 3 -1 "},
        {"NaN", R"(echo " 1.000 NaN 0.01 0.001 -0.05 0.5 0.6" >> "$polar"; : > "run1.done1"; exit 0)",
         {"C", "C", "XFOIL wrote a value that is not a number", "C", "C"}, "0 1 2 3 -1 "},
        {"huge Cd", R"(echo " 1.000 0.1 1e300 0.001 -0.05 0.5 0.6" >> "$polar"; : > "run1.done1"; exit 0)",
         {"C", "C", "XFOIL wrote an implausible Cd", "C", "C"}, "0 1 2 3 -1 "},
        {"garbage", R"(echo " ****** 0.1" >> "$polar"; : > "run1.done1"; exit 0)",
         {"C", "C", "XFOIL's polar file has a line", "C", "C"}, "0 1 2 3 -1 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        alfa_ = "[ $2 = 1 ] && { " + c.alfa + "; }";
        program(kImitation);
        expectStatuses(polar({-1, 0, 1, 2, 3}), c.statuses);
        EXPECT_EQ(angleLog(), c.angles);
        fs::remove(folder_ / "log.angles");
    }
}

TEST_F(FakeXfoil, AContourOtherThanOursFailsEveryAngle)
{
    save_ = R"(awk 'NR == 1 { print; next } { print $1, $2 * 1.05 }' "$contour" > "$2")";
    program(kImitation);
    expectStatuses(polar({0, 1}), {"XFOIL's contour is not the one given", "XFOIL's contour is not the one given"});
    save_ = R"(awk 'NR == 1 { print "NACA 2412"; next } { print }' "$contour" > "$2")";
    program(kImitation);
    expectStatuses(polar({0, 1}), {"XFOIL's airfoil is named \"NACA 2412\"", "XFOIL's airfoil is named"});
    save_ = R"(cp "$contour" "$2")";
    program(kImitation);
    options_.panelNodes = 360;  // the stand-in keeps 161, as XFOIL keeps 364 of more
    expectStatuses(polar({0}), {"XFOIL re-panelled the contour with 161 nodes, not 360"});
}

TEST_F(FakeXfoil, SettingsXfoilDidNotTakeFailEveryAngle)
{
    std::string ignoresRe = kImitation;
    ignoresRe.replace(ignoresRe.find("re=$2"), 5, "re=5e5");
    program(ignoresRe);
    options_.reynolds = 5e5;
    options_.ncrit = 7;
    options_.xtrTop = 0.25;
    expectStatuses(polar({0}), {"C"});
    options_.reynolds = 1e6;
    expectStatuses(polar({0}), {"XFOIL's polar is for Re 500000, not 1000000"});
}

TEST_F(FakeXfoil, CancellingKillsXfoilAtOnce)
{
    program("#!/bin/sh\necho $$ >> @LOG@.pids\nsleep 100\n");
    std::atomic<bool> cancel{false};
    control_.cancel = &cancel;
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        cancel = true;
    });
    const auto start = std::chrono::steady_clock::now();
    const ViscousPolar p = polar({0, 1});
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    expectStatuses(p, {"cancelled", "cancelled"});
}

TEST_F(FakeXfoil, ManyPolarsComeBackInOrder)
{
    program(kImitation);
    std::vector<PolarJob> jobs;
    jobs.reserve(5);
    for (int i = 0; i < 5; ++i)
        jobs.push_back({seligPoints(0.0703, 0.04377, 1.94444, kDefaultSeligPoints), "J", {i * 1.0, -i - 1.0}});
    jobs[2].contour.resize(3);
    const auto polars = viscousPolars(jobs, options_, 2);
    ASSERT_EQ(polars.size(), jobs.size());
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        SCOPED_TRACE(i);
        if (i == 2)
            expectStatuses(polars[i], {"a contour needs at least 5 points", "a contour needs at least 5 points"});
        else
            expectStatuses(polars[i], {"C", "C"});
        EXPECT_EQ(polars[i].angles[0].alpha, jobs[i].alphas[0]);
    }
}

TEST(XfoilProgram, AMissingProgramIsNamedWithItsPackage)
{
    EXPECT_NE(xfoilUnavailableReason("/nonexistent/xfoil").find("Debian's package xfoil"), std::string::npos);
    const std::string path = std::getenv("PATH");
    ::unsetenv(kXfoilVariable);
    ::setenv("PATH", "/nonexistent", 1);
    EXPECT_NE(xfoilUnavailableReason("").find("install Debian's package xfoil"), std::string::npos);
    ViscousOptions options;
    options.reynolds = 1e6;
    EXPECT_THROW(viscousPolar(seligPoints(0.07, 0.04, 1.9, 21), "s", {0}, options), XfoilUnavailable);
    ::setenv("PATH", path.c_str(), 1);
}

}  // namespace
}  // namespace folix
