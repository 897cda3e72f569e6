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

#include "images/Image.h"

namespace seamster {
namespace {

struct AxisPlan {
    uint64_t divisor = 1;
    std::vector<int> first;      // first source pixel of each target pixel
    std::vector<int> count;      // how many source pixels feed it (0: none, black)
    std::vector<size_t> offset;  // where its weights start in `weights`
    std::vector<uint64_t> weights;
    int lowest = 0;  // source pixels the whole window reads
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
// each value (the divides were most of the time of a large shrink): a
// floating-point estimate, off by at most one below 2^53, corrected to the
// exact floor, so results are the same as with plain integer division.
class Divider {
public:
    explicit Divider(uint64_t divisor) : divisor_(divisor), inverse_(1.0 / double(divisor)) {}
    uint64_t operator()(uint64_t value) const {
        if (value >= exactLimit) return value / divisor_;
        uint64_t quotient = uint64_t(double(value) * inverse_);
        if (quotient * divisor_ > value) {
            --quotient;
        } else if ((quotient + 1) * divisor_ <= value) {
            ++quotient;
        }
        return quotient;
    }

private:
    static constexpr uint64_t exactLimit = uint64_t{1} << 53;
    uint64_t divisor_;
    double inverse_;
};

// Horizontal pass: the needed source rows at the target width, with 8 bits of
// extra precision so that rounding happens once at the end.
std::vector<uint16_t> scaleRows(const Image& source, const AxisPlan& across, int firstRow,
                                int rows) {
    const size_t width = across.count.size();
    std::vector<uint16_t> out(width * size_t(rows) * 3);
    const uint64_t half = across.divisor / 2;
    const Divider divide(across.divisor);
    for (int r = 0; r < rows; ++r) {
        const uint8_t* in = source.row(firstRow + r);
        uint16_t* target = out.data() + size_t(r) * width * 3;
        for (size_t x = 0; x < width; ++x) {
            uint64_t sum[3] = {0, 0, 0};
            const uint64_t* w = across.weights.data() + across.offset[x];
            const uint8_t* p = in + size_t(across.first[x]) * 3;
            for (int t = 0; t < across.count[x]; ++t, p += 3) {
                sum[0] += p[0] * w[t];
                sum[1] += p[1] * w[t];
                sum[2] += p[2] * w[t];
            }
            for (int c = 0; c < 3; ++c) {
                target[x * 3 + c] = uint16_t(divide(sum[c] * 256 + half));
            }
        }
    }
    return out;
}

// Vertical pass, a whole row at a time: each feeding row is added in turn,
// which reads the intermediate rows in order.
void scaleColumns(const std::vector<uint16_t>& rows, int firstRow, const AxisPlan& down,
                  Image& target) {
    const size_t values = size_t(target.width()) * 3;
    const uint64_t divisor = down.divisor * 256;
    const Divider divide(divisor);
    std::vector<uint64_t> sum(values);
    for (int y = 0; y < target.height(); ++y) {
        std::fill(sum.begin(), sum.end(), divisor / 2);
        const uint64_t* w = down.weights.data() + down.offset[y];
        for (int t = 0; t < down.count[y]; ++t) {
            const uint16_t* in = rows.data() + size_t(down.first[y] + t - firstRow) * values;
            const uint64_t weight = w[t];
            for (size_t x = 0; x < values; ++x) sum[x] += in[x] * weight;
        }
        uint8_t* out = target.row(y);
        for (size_t x = 0; x < values; ++x) out[x] = uint8_t(divide(sum[x]));
    }
}

}  // namespace

std::optional<Image> scaleImageWindow(const Image& source, int scaledWidth, int scaledHeight,
                                      int left, int top, int width, int height) {
    if (source.empty() || scaledWidth <= 0 || scaledHeight <= 0) return std::nullopt;
    auto target = Image::create(width, height);
    if (!target) return std::nullopt;
    try {
        const AxisPlan across = planAxis(source.width(), scaledWidth, left, width);
        const AxisPlan down = planAxis(source.height(), scaledHeight, top, height);
        const bool nothingVisible = down.highest < down.lowest || across.highest < across.lowest;
        if (nothingVisible) return target;  // all black
        const int rows = down.highest - down.lowest + 1;
        if (int64_t(rows) * width > 3 * Image::maxPixels) return std::nullopt;
        const auto scaledRows = scaleRows(source, across, down.lowest, rows);
        scaleColumns(scaledRows, down.lowest, down, *target);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return target;
}

std::optional<Image> scaleImage(const Image& source, int width, int height) {
    return scaleImageWindow(source, width, height, 0, 0, width, height);
}

}  // namespace seamster
