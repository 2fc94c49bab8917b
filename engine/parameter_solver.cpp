#include "parameter_solver.h"

#include "number_text.h"
#include "real.h"
#include "section_measurement.h"

namespace folix {

namespace {
constexpr int kMostSecantSteps = 20;
constexpr double kTolerance = 0.00001;
}  // namespace

void FGITER(DesignState& state, HistorySink& history, double& EM, double& XDMAXC, double& Delta, double& Gamma,
            double& F3, double& G3)
{
    history.append("");
    history.append(" M=" + displayText(EM, history.decimalSeparator()));
    history.append("");
    history.solveStarted(EM);

    double F1 = (Real(Delta) / 1.3).value();
    double G1 = (2 * Real(Gamma)).value();
    double D1 = 0;
    double GM1 = 0;
    DGX(state, history, F1, G1, EM, D1, GM1, XDMAXC);

    double F2 = (1.1 * Real(F1)).value();
    double G2 = (1.1 * Real(G1)).value();
    double D2 = 0;
    double GM2 = 0;
    DGX(state, history, F2, G2, EM, D2, GM2, XDMAXC);

    int NIT = 0;
    double D3 = 0;
    double GM3 = 0;
    for (;;) {
        F3 = (F1 + (Real(F2) - F1) / (Real(D2) - D1) * (Real(Delta) - D1)).value();
        G3 = 0;
        if (Gamma != 0) G3 = (G1 + (Real(G2) - G1) / (Real(GM2) - GM1) * (Real(Gamma) - GM1)).value();
        NIT = NIT + 1;
        if (NIT > kMostSecantSteps) {
            history.append(" ");
            history.append(kSolveNotConverged);
            history.solveEnded(false);
            return;
        }
        DGX(state, history, F3, G3, EM, D3, GM3, XDMAXC);
        if (abs(Real(D3) - Delta) <= kTolerance && abs(Real(GM3) - Gamma) <= kTolerance) {
            history.solveEnded(true);
            return;
        }
        F1 = F2;
        G1 = G2;
        F2 = F3;
        G2 = G3;
        D1 = D2;
        GM1 = GM2;
        D2 = D3;
        GM2 = GM3;
    }
}

}  // namespace folix
