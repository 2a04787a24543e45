#pragma once
// Figures given as a ratio against a peer measured in the same run: a file
// names its pairs once, and the run ends with one line per pair, both sides
// in CPU time per iteration.
//
//   const vxbench::Ratio pngRatio("PNG write vs libpng level 0",
//                                 "BM_PngPalettedCanvas", "BM_PngPalettedLibpng", 1.0);

namespace vxbench {

struct Ratio {
    // ours and peer are full benchmark names (with "/arg" where they take
    // one); goal is the largest ratio that meets the target, or, with
    // absolute set, the largest time of ours in microseconds.
    Ratio(const char* title, const char* ours, const char* peer, double goal, bool absolute = false);
    const char* title;
    const char* ours;
    const char* peer;
    double goal;
    bool absolute;
};

} // namespace vxbench
