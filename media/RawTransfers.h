// The fifteen raw transfers that rebuild diskette sectors 0-787, and which of
// them report progress.
#pragma once

#include <array>
#include <cstdint>

#include "media/ImageLayout.h"

namespace media {

enum class RawReport { None, WithoutPosition, WithPosition };

struct RawTransfer {
    std::int32_t imageFirst;
    std::int32_t count;
    RawReport report;
};

constexpr std::array<RawTransfer, 15> RawTransfers{{
    {244, 1, RawReport::WithoutPosition},  // boot sector: the first sign of life
    {0, 1, RawReport::None},
    {1, 1, RawReport::None},
    {11, 7, RawReport::None},
    {2, 9, RawReport::None},
    {245, 1, RawReport::None},
    {18, 113, RawReport::WithPosition},
    {131, 113, RawReport::WithPosition},
    {246, 90, RawReport::WithPosition},
    {336, 90, RawReport::WithPosition},
    {426, 90, RawReport::WithPosition},
    {516, 90, RawReport::WithPosition},
    {606, 90, RawReport::WithPosition},
    {696, 90, RawReport::WithPosition},
    {786, 2, RawReport::WithPosition},
}};

constexpr std::int32_t MaxRawTransferSectors = 113;

namespace detail {

// Each transfer, written at the running diskette sector, must put every
// image sector where the placements say.
constexpr bool transfersFollowPlacements() {
    std::int32_t diskette = 0;
    for (const auto& t : RawTransfers) {
        if (t.count < 1 || t.count > MaxRawTransferSectors) return false;
        for (std::int32_t i = 0; i < t.count; ++i) {
            const std::int32_t image = t.imageFirst + i;
            bool placed = false;
            for (const auto& p : RawAreaPlacements)
                if (image >= p.image.first && image <= p.image.last)
                    placed = p.disketteSector + (image - p.image.first) == diskette + i;
            if (!placed) return false;
        }
        diskette += t.count;
    }
    return diskette == RawAreaSectors;
}

}  // namespace detail

static_assert(detail::transfersFollowPlacements());

}  // namespace media
