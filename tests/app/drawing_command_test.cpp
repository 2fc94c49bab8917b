#include <gtest/gtest.h>

#include "cli_support.h"
#include "engine/section_drawing.h"
#include "engine/selig_export.h"

namespace folix {
namespace {

using testing::readBytes;
using testing::runCli;

// 12 %, 2 %, 10 degrees as the design run finds it.
const MappedSection kTypical{"KARMAN-TREFFTZ AIRFOIL", 0.070304405967124839, 0.043769303782416197, 1.9444444444444444};

TEST(DrawingCommand, WritesTheEngineDrawingsOfTheDesignedSection)
{
    const auto folder = std::filesystem::temp_directory_path() / "folix_drawing_command";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const auto file = [&](const char* name) { return (folder / name).string(); };
    const auto run = runCli({"design", "--thickness", "0.12", "--camber", "0.02", "--te-angle", "10", "--svg",
                             file("s.svg"), "--dxf", file("s.dxf"), "--pdf", file("s.pdf"), "--chord", "150",
                             "--te-gap", "0.002", "--construction"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("family: KARMAN-TREFFTZ AIRFOIL\n", 0), 0u);

    const SectionDrawing wanted = sectionDrawing(seligName(kTypical), kTypical.F, kTypical.G, kTypical.EM, {150, 0.002, true});
    EXPECT_EQ(readBytes(file("s.svg")), svgDrawingText(wanted));
    EXPECT_EQ(readBytes(file("s.dxf")), dxfDrawingText(wanted));
    EXPECT_EQ(readBytes(file("s.pdf")), pdfDrawingText(wanted));
    std::filesystem::remove_all(folder);

    // Onto standard output the drawing alone, at the default chord; the results go to standard error.
    const auto piped = runCli({"design", "--thickness", "0.12", "--camber", "0.02", "--te-angle", "10", "--dxf", "-"});
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, dxfDrawingText(sectionDrawing(seligName(kTypical), kTypical.F, kTypical.G, kTypical.EM, {})));
    EXPECT_EQ(piped.err.rfind("family: ", 0), 0u);

    // A file that cannot be written fails the command after the others are written.
    const auto blocked = runCli({"design", "--svg", "/", "--dxf", "-"});
    EXPECT_EQ(blocked.status, 1);
    EXPECT_NE(blocked.err.find("error: cannot write /: "), std::string::npos) << blocked.err;
    EXPECT_EQ(blocked.out.rfind("  0\nSECTION\n", 0), 0u);
}

}  // namespace
}  // namespace folix
