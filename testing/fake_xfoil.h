#pragma once

// A stand-in for XFOIL, written by tests as a shell script.

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

namespace folix {

// Answers folix's commands as XFOIL would: saves the contour it loaded (as
// if re-panelled with as many nodes as it has points), writes a polar header
// from the settings, a row per angle with Cl = alpha / 10, Cd 0.01, Cdp
// 0.001, Cm -0.05 and transition at 0.5 and 0.6, and the markers. @ALFA@ and
// @SAVE@ are the places a case makes it misbehave; it logs the angles it is
// given (@LOG@.angles) and its own pid (@LOG@.pids).
inline constexpr const char* kImitationXfoil = R"sh(#!/bin/sh
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

// Writes `script` as an executable program at `path`, with @LOG@, @SAVE@ and
// @ALFA@ replaced; returns the path.
inline std::filesystem::path writeFakeXfoil(const std::filesystem::path& path, std::string script,
                                            const std::string& log, const std::string& save = R"(cp "$contour" "$2")",
                                            const std::string& alfa = ":")
{
    for (const auto& [mark, value] : {std::pair{"@LOG@", log}, {"@SAVE@", save}, {"@ALFA@", alfa}})
        for (std::size_t at; (at = script.find(mark)) != std::string::npos;)
            script.replace(at, std::strlen(mark), value);
    std::ofstream(path) << script;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

}  // namespace folix
