#include "xfoil_commands.h"

#include <charconv>

namespace folix {

namespace {

// Plain decimals, which any Fortran reader takes, with every digit the
// double needs.
std::string decimal(double value)
{
    char text[400];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return error == std::errc() ? std::string(text, end) : "0";
}

}  // namespace

std::string XfoilRunFiles::marker(std::size_t k) const
{
    return markerStem + std::to_string(k);
}

XfoilRunFiles xfoilRunFiles(int run)
{
    const std::string stem = "run" + std::to_string(run);
    return {"contour.dat", stem + ".saved", stem + ".polar", stem + ".done"};
}

std::string xfoilCommands(const XfoilRunFiles& files, const ViscousOptions& options, const std::vector<double>& alphas)
{
    std::string c;
    const auto line = [&c](const std::string& text) { c += text + '\n'; };
    // Graphics off: without a display XFOIL would abort at its first plot.
    line("PLOP");
    line("G");
    line("");
    line("LOAD " + files.contour);
    // The first empty line re-panels with the new settings, the second leaves PPAR.
    line("PPAR");
    line("N " + std::to_string(options.panelNodes));
    line("T " + decimal(options.trailingEdgePanelDensity));
    line("");
    line("");
    line("SAVE " + files.saved);
    line("OPER");
    if (options.viscous) line("VISC " + decimal(options.reynolds));
    line("MACH " + decimal(options.mach));
    if (options.viscous) {
        line("VPAR");
        line("N " + decimal(options.ncrit));
        line("XTR " + decimal(options.xtrTop) + " " + decimal(options.xtrBottom));
        line("");
        line("ITER " + std::to_string(options.iterations));
    }
    // The polar file, and no dump file.
    line("PACC");
    line(files.polar);
    line("");
    for (std::size_t k = 0; k < alphas.size(); ++k) {
        line("ALFA " + decimal(alphas[k]));
        line("CPWR " + files.marker(k));
    }
    line("PACC");
    line("");
    line("QUIT");
    return c;
}

}  // namespace folix
