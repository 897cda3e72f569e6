// Smooth scaling, done one axis at a time in integer arithmetic.
//
// Each axis gets a plan: for every target pixel, the run of source pixels
// that feed it and their weights, all sharing one divisor. A shrinking axis
// averages areas: with S source and D target pixels, target pixel i covers
// [i*S, (i+1)*S) and source pixel j covers [j*D, (j+1)*D) in units of 1/(S*D)
// of the picture, and the overlaps are the weights (they add up to S). A
// growing axis interpolates between the two source pixel centres around the
// target pixel's centre, in units of 1/(2*D) of a source pixel.

#include <algorithm>
#include <new>
#include <optional>
#include <system_error>
#include <thread>

#include "images/Scaling.h"

namespace seamster {

bool wantsSecondThread(Threading threading, bool large) {
    return threading == Threading::always || (threading == Threading::whenWorthIt && large &&
                                              std::thread::hardware_concurrency() > 1);
}

namespace {

struct AxisPlan {
    uint64_t divisor = 1;
    std::vector<int> first;      // first source pixel of each target pixel
    std::vector<int> count;      // how many source pixels feed it (0: none, black)
    std::vector<size_t> offset;  // where its weights start in `weights`
    std::vector<uint64_t> weights;
    bool shrinking = false;  // area averaging rather than interpolation
    int lowest = 0;          // source pixels the whole window reads
    int highest = -1;
};

void addTap(AxisPlan& plan, int source, uint64_t weight) {
    if (plan.count.back() == 0) plan.first.back() = source;
    plan.weights.push_back(weight);
    ++plan.count.back();
    if (plan.highest < plan.lowest) plan.lowest = plan.highest = source;
    plan.lowest = std::min(plan.lowest, source);
    plan.highest = std::max(plan.highest, source);
}

void averageAreas(AxisPlan& plan, int64_t s, int64_t d, int64_t i) {
    const int64_t from = i * s;
    const int64_t to = from + s;
    for (int64_t j = from / d; j * d < to && j < s; ++j) {
        const int64_t overlap = std::min((j + 1) * d, to) - std::max(j * d, from);
        if (overlap > 0) addTap(plan, int(j), uint64_t(overlap));
    }
}

void interpolate(AxisPlan& plan, int64_t s, int64_t d, int64_t i) {
    const int64_t unit = 2 * d;
    const int64_t position = (2 * i + 1) * s - d;  // centre of i, in source pixels * unit
    int64_t j = 0;
    int64_t fraction = 0;
    if (position > 0) {
        j = position / unit;
        fraction = position % unit;
    }
    if (j >= s - 1) {
        j = s - 1;
        fraction = 0;
    }
    addTap(plan, int(j), uint64_t(unit - fraction));
    if (fraction > 0) addTap(plan, int(j + 1), uint64_t(fraction));
}

// The plan for target pixels [start, start + length) of a source axis of
// `sourceLength` pixels scaled to `scaledLength`.
AxisPlan planAxis(int sourceLength, int scaledLength, int64_t start, int length) {
    AxisPlan plan;
    const bool shrinking = scaledLength <= sourceLength;
    plan.shrinking = shrinking;
    plan.divisor = shrinking ? uint64_t(sourceLength) : 2 * uint64_t(scaledLength);
    for (int k = 0; k < length; ++k) {
        const int64_t i = start + k;
        plan.first.push_back(0);
        plan.count.push_back(0);
        plan.offset.push_back(plan.weights.size());
        if (i < 0 || i >= scaledLength) continue;
        if (shrinking) {
            averageAreas(plan, sourceLength, scaledLength, i);
        } else {
            interpolate(plan, sourceLength, scaledLength, i);
        }
    }
    return plan;
}

// Division by one divisor many times over, without a hardware divide for
// each value (the divides were most of the time of a large shrink). Below
// 2^31 a multiplication and a shift give exactly the quotient of integer
// division: with 2^shift >= divisor and multiplier = ceil(2^(31 + shift) /
// divisor), floor(value * multiplier / 2^(31 + shift)) = floor(value /
// divisor) for every value < 2^31 (Granlund and Montgomery). Larger values,
// which only come with extreme enlargements, are divided as they are.
class Divider {
public:
    explicit Divider(uint64_t divisor) : divisor_(divisor) {
        if (divisor_ > (uint64_t{1} << 31)) return;
        while ((uint64_t{1} << shift_) < divisor_) ++shift_;
        shift_ += 31;
        multiplier_ = ((uint64_t{1} << shift_) + divisor_ - 1) / divisor_;
    }
    uint64_t operator()(uint64_t value) const {
        if (value < fastLimit && multiplier_ != 0) return (value * multiplier_) >> shift_;
        return value / divisor_;
    }

private:
    static constexpr uint64_t fastLimit = uint64_t{1} << 31;
    uint64_t divisor_;
    uint64_t multiplier_ = 0;
    int shift_ = 0;
};

// Horizontal pass: the needed source rows at the target width, with 8 bits of
// extra precision so that rounding happens once at the end. `Sum` must hold
// 255 * divisor * 256 + divisor.
template <typename Sum>
void scaleRowsWith(const Image& source, const AxisPlan& across, const std::vector<Sum>& weights,
                   int firstRow, int rows, uint16_t* out) {
    const size_t width = across.count.size();
    const Sum half = Sum(across.divisor / 2);
    const Divider divide(across.divisor);
    for (int r = 0; r < rows; ++r) {
        const uint8_t* in = source.row(firstRow + r);
        uint16_t* target = out + size_t(r) * width * 3;
        for (size_t x = 0; x < width; ++x) {
            Sum sum[3] = {0, 0, 0};
            const Sum* w = weights.data() + across.offset[x];
            const uint8_t* p = in + size_t(across.first[x]) * 3;
            const int count = across.count[x];
            if (across.shrinking && count >= 3) {
                // Every source pixel between the two ends lies wholly inside
                // the target pixel and weighs the same: add them up first.
                Sum middle[3] = {0, 0, 0};
                const uint8_t* q = p + 3;
                for (int t = 1; t < count - 1; ++t, q += 3) {
                    middle[0] += q[0];
                    middle[1] += q[1];
                    middle[2] += q[2];
                }
                for (int c = 0; c < 3; ++c) {
                    sum[c] = p[c] * w[0] + middle[c] * w[1] + q[c] * w[count - 1];
                }
            } else {
                for (int t = 0; t < count; ++t, p += 3) {
                    sum[0] += p[0] * w[t];
                    sum[1] += p[1] * w[t];
                    sum[2] += p[2] * w[t];
                }
            }
            for (int c = 0; c < 3; ++c) {
                target[x * 3 + c] = uint16_t(divide(uint64_t(sum[c] * 256 + half)));
            }
        }
    }
}

// The horizontal pass over some rows, with sums as narrow as the divisor
// allows. Shrinking, the divisor is the source length, so 32-bit sums nearly
// always suffice, and they are markedly quicker.
class RowScaler {
public:
    RowScaler(const Image& source, const AxisPlan& across)
        : source_(source), across_(across), narrow_(across.divisor <= 32768) {
        if (narrow_) narrowWeights_.assign(across.weights.begin(), across.weights.end());
    }
    void scale(int firstRow, int rows, uint16_t* out) const {
        if (narrow_) {
            scaleRowsWith<uint32_t>(source_, across_, narrowWeights_, firstRow, rows, out);
        } else {
            scaleRowsWith<uint64_t>(source_, across_, across_.weights, firstRow, rows, out);
        }
    }

private:
    const Image& source_;
    const AxisPlan& across_;
    bool narrow_;
    std::vector<uint32_t> narrowWeights_;
};

// Both passes, one target row at a time: the horizontally scaled rows that a
// target row needs are kept in a small strip, and those it shares with the
// next target row are kept for it, so no source row is scaled twice and no
// picture-sized intermediate is ever held.
// Target rows [firstRow, endRow) are done; throws std::bad_alloc.
void scaleBothWays(const RowScaler& rows, const AxisPlan& down, size_t maxRows, Image& target,
                   int firstRow, int endRow) {
    const size_t values = size_t(target.width()) * 3;
    const uint64_t divisor = down.divisor * 256;
    const Divider divide(divisor);
    std::vector<uint16_t> strip(maxRows * values);
    std::vector<uint64_t> sum(values);
    int stripFirst = 0;  // the source row in the strip's first place
    int stripRows = 0;
    for (int y = firstRow; y < endRow; ++y) {
        const int count = down.count[y];
        if (count == 0) continue;  // outside the scaled picture: stays black
        const int first = down.first[y];
        // Rows already scaled that this target row needs move to the front.
        int kept = 0;
        if (first >= stripFirst && first < stripFirst + stripRows) {
            kept = std::min(stripFirst + stripRows - first, count);
            if (first > stripFirst) {
                const auto from = strip.begin() + ptrdiff_t(size_t(first - stripFirst) * values);
                std::copy(from, from + ptrdiff_t(size_t(kept) * values), strip.begin());
            }
        }
        rows.scale(first + kept, count - kept, strip.data() + size_t(kept) * values);
        stripFirst = first;
        stripRows = count;

        std::fill(sum.begin(), sum.end(), divisor / 2);
        const uint64_t* w = down.weights.data() + down.offset[y];
        for (int t = 0; t < count; ++t) {
            const uint16_t* in = strip.data() + size_t(t) * values;
            const uint64_t weight = w[t];
            for (size_t x = 0; x < values; ++x) sum[x] += in[x] * weight;
        }
        uint8_t* out = target.row(y);
        for (size_t x = 0; x < values; ++x) out[x] = uint8_t(divide(sum[x]));
    }
}

// Worth a second thread: about as many source pixels read as a 2-megapixel
// photo has.
constexpr int64_t pixelsWorthTwoThreads = int64_t{2} << 20;

// The upper and lower halves of the target on two threads when that is worth
// it; each half scales the source rows it needs on its own, so the results
// are the same to the bit. Throws std::bad_alloc.
void scaleInParts(const RowScaler& rows, const AxisPlan& across, const AxisPlan& down,
                  size_t maxRows, Image& target, Threading threading) {
    const int64_t pixelsRead =
        int64_t(down.highest - down.lowest + 1) * int64_t(across.highest - across.lowest + 1);
    const bool two =
        target.height() >= 2 && wantsSecondThread(threading, pixelsRead >= pixelsWorthTwoThreads);
    const int middle = target.height() / 2;
    if (two) {
        bool lowerFailed = false;
        std::optional<std::thread> lower;
        try {
            lower.emplace([&] {
                try {
                    scaleBothWays(rows, down, maxRows, target, middle, target.height());
                } catch (const std::bad_alloc&) {
                    lowerFailed = true;
                }
            });
        } catch (const std::system_error&) {
            // No thread to be had: all on this one.
        }
        if (lower) {
            try {
                scaleBothWays(rows, down, maxRows, target, 0, middle);
            } catch (const std::bad_alloc&) {
                lower->join();
                throw;
            }
            lower->join();
            if (lowerFailed) throw std::bad_alloc();
            return;
        }
    }
    scaleBothWays(rows, down, maxRows, target, 0, target.height());
}

}  // namespace

std::optional<Image> scaleImageWindow(const Image& source, int scaledWidth, int scaledHeight,
                                      int left, int top, int width, int height,
                                      Threading threading) {
    if (source.empty() || scaledWidth <= 0 || scaledHeight <= 0) return std::nullopt;
    auto target = Image::create(width, height);
    if (!target) return std::nullopt;
    try {
        const AxisPlan across = planAxis(source.width(), scaledWidth, left, width);
        const AxisPlan down = planAxis(source.height(), scaledHeight, top, height);
        const bool nothingVisible = down.highest < down.lowest || across.highest < across.lowest;
        if (nothingVisible) return target;  // all black
        const int maxRows = *std::max_element(down.count.begin(), down.count.end());
        if (int64_t(maxRows) * width > 3 * Image::maxPixels) return std::nullopt;
        const RowScaler rows(source, across);
        scaleInParts(rows, across, down, size_t(maxRows), *target, threading);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return target;
}

std::optional<Image> scaleImage(const Image& source, int width, int height, Threading threading) {
    return scaleImageWindow(source, width, height, 0, 0, width, height, threading);
}

}  // namespace seamster
