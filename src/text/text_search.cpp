#include "text/text_search.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "text/bit_masks.h"
#include "text/simd.h"

namespace tandrel {

namespace {

// How often each byte value stands in a sample of the text: a 64-byte
// stretch every 4 KB, and the whole of a text shorter than that; in a large
// text 256 stretches spread over it, as many as it takes to tell rare bytes.
std::array<std::uint32_t, 256> SampleByteCounts(std::string_view text) {
    constexpr std::size_t kStretch = 64;
    const std::size_t step = std::max<std::size_t>(4096, text.size() / 256);
    std::array<std::uint32_t, 256> counts{};
    for (std::size_t at = 0; at < text.size(); at += step) {
        const std::size_t end = std::min(text.size(), at + kStretch);
        for (std::size_t i = at; i < end; ++i) {
            ++counts[static_cast<unsigned char>(text[i])];
        }
    }
    return counts;
}

// The two positions of the needle the filter looks at: the rarest byte, then
// the rarest of the others, the farther from the first on a tie.
struct FilterPositions {
    std::size_t first = 0;
    std::size_t second = 0;
};

FilterPositions ChooseFilterPositions(std::string_view text, std::string_view needle) {
    const std::array<std::uint32_t, 256> counts = SampleByteCounts(text);
    const auto count_at = [&](std::size_t i) {
        return counts[static_cast<unsigned char>(needle[i])];
    };
    FilterPositions chosen;
    for (std::size_t i = 1; i < needle.size(); ++i) {
        if (count_at(i) < count_at(chosen.first)) {
            chosen.first = i;
        }
    }
    const auto distance = [&](std::size_t i) {
        return i > chosen.first ? i - chosen.first : chosen.first - i;
    };
    chosen.second = chosen.first == 0 ? 1 : 0;
    for (std::size_t i = 0; i < needle.size(); ++i) {
        if (i == chosen.first) {
            continue;
        }
        if (count_at(i) < count_at(chosen.second) ||
            (count_at(i) == count_at(chosen.second) && distance(i) > distance(chosen.second))) {
            chosen.second = i;
        }
    }
    return chosen;
}

// Checks the places from `from` up to `last` (both included) one by one.
void CheckPlaces(std::string_view text, std::string_view needle, FilterPositions filter,
                 std::size_t from, std::size_t last, std::vector<std::size_t>& found) {
    const char* const data = text.data();
    for (std::size_t at = from; at <= last; ++at) {
        if (data[at + filter.first] == needle[filter.first] &&
            data[at + filter.second] == needle[filter.second] &&
            std::memcmp(data + at, needle.data(), needle.size()) == 0) {
            found.push_back(at);
        }
    }
}

#ifdef TANDREL_SSE2
// The candidates of `mask` (a bit for each place from `base`), checked in full.
void CheckCandidates(const char* data, std::string_view needle, std::size_t base,
                     std::uint64_t mask, std::vector<std::size_t>& found) {
    for (; mask != 0; mask &= mask - 1) {
        const std::size_t place = base + LowestSetBit(mask);
        if (std::memcmp(data + place, needle.data(), needle.size()) == 0) {
            found.push_back(place);
        }
    }
}

// Looks at the places from 0 on, sixty-four at a time in four lanes: both
// filter bytes compared, and only when a lane has a survivor are they
// checked in full. Returns the first place it did not look at.
std::size_t SearchSse2(std::string_view text, std::string_view needle, FilterPositions filter,
                       std::vector<std::size_t>& found) {
    constexpr std::size_t kLane = 16;
    constexpr std::size_t kLanes = 4;  // of sixteen places each
    const char* const data = text.data();
    const std::size_t last = text.size() - needle.size();
    const __m128i first_byte = _mm_set1_epi8(needle[filter.first]);
    const __m128i second_byte = _mm_set1_epi8(needle[filter.second]);
    const auto lane_matches = [&](std::size_t place) {
        const __m128i first =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + place + filter.first));
        const __m128i second =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + place + filter.second));
        return _mm_and_si128(_mm_cmpeq_epi8(first, first_byte),
                             _mm_cmpeq_epi8(second, second_byte));
    };
    std::size_t at = 0;
    for (; at + kLanes * kLane - 1 <= last; at += kLanes * kLane) {
        const __m128i lane0 = lane_matches(at);
        const __m128i lane1 = lane_matches(at + kLane);
        const __m128i lane2 = lane_matches(at + 2 * kLane);
        const __m128i lane3 = lane_matches(at + 3 * kLane);
        const __m128i any = _mm_or_si128(_mm_or_si128(lane0, lane1), _mm_or_si128(lane2, lane3));
        if (_mm_movemask_epi8(any) == 0) {
            continue;
        }
        const auto lane_mask = [](__m128i lane) {
            return std::uint64_t{static_cast<std::uint32_t>(_mm_movemask_epi8(lane))};
        };
        const std::uint64_t mask = lane_mask(lane0) | (lane_mask(lane1) << kLane) |
                                   (lane_mask(lane2) << (2 * kLane)) |
                                   (lane_mask(lane3) << (3 * kLane));
        CheckCandidates(data, needle, at, mask, found);
    }
    return at;
}
#endif

}  // namespace

std::vector<std::size_t> FindAllOccurrences(std::string_view text, std::string_view needle) {
    std::vector<std::size_t> found;
    if (needle.empty() || needle.size() > text.size()) {
        return found;
    }
    const char* const data = text.data();
    const std::size_t last = text.size() - needle.size();  // the last place a match can start
    if (needle.size() == 1) {
        for (const char* at = data;;) {
            const void* hit =
                std::memchr(at, needle[0], static_cast<std::size_t>(data + text.size() - at));
            if (hit == nullptr) {
                return found;
            }
            at = static_cast<const char*>(hit);
            found.push_back(static_cast<std::size_t>(at - data));
            ++at;
        }
    }
    const FilterPositions filter = ChooseFilterPositions(text, needle);
    std::size_t at = 0;  // the first place the wide search left
#ifdef TANDREL_SSE2
    at = SearchSse2(text, needle, filter, found);
#endif
    CheckPlaces(text, needle, filter, at, last, found);
    return found;
}

}  // namespace tandrel
