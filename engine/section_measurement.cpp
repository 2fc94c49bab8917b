#include "section_measurement.h"

#include "contour_mapping.h"
#include "number_text.h"
#include "real.h"

namespace folix {

namespace {

constexpr int kTableLimit = 100;

// Hears of the measurement only as data.
class MeasurementOnly : public HistorySink {
public:
    void append(const std::string&) override {}
    void sectionMeasured(const Measurement& measurement) override { location = measurement.XDMAXC; }
    std::optional<double> location;
};

std::string resultLine(double F, double G, double DMAX, double GMAX, double XDMAXC, const std::string& separator)
{
    return "F=" + displayText(F, separator) + "  G=" + displayText(G, separator) +
           "  Delta=" + displayText(DMAX, separator) + "  Gamma=" + displayText(GMAX, separator) +
           "  XDltC=" + displayText(XDMAXC, separator);
}

}  // namespace

void DGX(DesignState& state, HistorySink& history, double& F, double& G, double& EM, double& DMAX, double& GMAX,
         double& XDMAXC)
{
    state.Pi = (4 * atan(1)).value();
    const Real pi = state.Pi;
    const Real m = EM;
    double B = 1;
    const Real onePlusF_m = pow(1 + Real(F), m);
    const Real F_m = pow(F, m);
    const Real CHORD = (((2 * m) * B) * onePlusF_m) / (onePlusF_m - F_m);
    const Real XLE = CHORD - m * B;
    double TETAD = (3 * pi / 10).value();
    double TETAG = (4 * pi / 10).value();
    Real STEP = pi / 10;
    int NPT = 0;
    Real XDA;
    Real DXC;

    do {
        STEP = STEP / 10;
        DMAX = 0;
        GMAX = 0;

        for (;;) {
            NPT = NPT + 1;
            if (NPT >= kTableLimit) {
                history.sectionMeasured({F, G, EM, std::nullopt});
                return;
            }
            TETAD = (TETAD + STEP).value();
            XY(state, F, G, EM, TETAD, NPT, B);
            const Real DPT =
                sqrt(sq(Real(state.YU[NPT]) - state.YL[NPT]) + sq(Real(state.XU[NPT]) - state.XL[NPT])) / CHORD;
            if (DPT < DMAX) break;
            DMAX = DPT.value();
        }

        TETAD = (TETAD - 2 * STEP).value();
        XDA = (Real(state.XU[NPT - 1]) + state.XL[NPT - 1]) / 2;
        const Real XDB = (Real(state.XU[NPT]) + state.XL[NPT]) / 2;
        DXC = (XDB - XDA) / CHORD;

        if (G != 0) {
            for (;;) {
                NPT = NPT + 1;
                if (NPT >= kTableLimit) {
                    history.sectionMeasured({F, G, EM, std::nullopt});
                    return;
                }
                TETAG = (TETAG + STEP).value();
                XY(state, F, G, EM, TETAG, NPT, B);
                const Real GPT = (Real(state.YU[NPT]) + state.YL[NPT]) / (2 * CHORD);
                if (GPT < GMAX) {
                    TETAG = (TETAG - 2 * STEP).value();
                    break;
                }
                GMAX = GPT.value();
            }
        }
    } while (abs(DXC) > 0.001);

    XDMAXC = ((XLE - XDA) / CHORD).value();
    history.append(resultLine(F, G, DMAX, GMAX, XDMAXC, history.decimalSeparator()));
    history.sectionMeasured({F, G, EM, XDMAXC});
}

SectionMeasure measureSection(double F, double G, double EM)
{
    DesignState tables;
    MeasurementOnly silent;
    SectionMeasure measure;
    double XDMAXC = 0;
    DGX(tables, silent, F, G, EM, measure.DMAX, measure.GMAX, XDMAXC);
    measure.XDMAXC = silent.location;
    return measure;
}

}  // namespace folix
