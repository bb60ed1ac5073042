#include "colorbar/data/GradientData.h"

#include <cstring>

namespace AEUtil {

void initColorFlagList(ColorFlagList &list) noexcept {
    std::memset(&list, 0, sizeof list);
    for (ColorFlag &f : list.flag)
        f.id = -1;
}

void clearColorFlagList(ColorFlagList &list) noexcept {
    list.count = 0;
    for (ColorFlag &f : list.flag) {
        f.alpha = f.red = f.green = f.blue = 0;
        f.position = 0.0f;
    }
}

A_long usedFlagCount(const ColorFlagList &list) noexcept {
    if (list.count < 0)
        return 0;
    return list.count > kMaxColorFlags ? kMaxColorFlags : list.count;
}

A_long smallestUnusedId(const ColorFlagList &list) noexcept {
    bool taken[kMaxColorFlags] = {};
    const A_long n = usedFlagCount(list);
    for (A_long i = 0; i < n; ++i) {
        const A_long id = list.flag[i].id;
        if (id >= 0 && id < kMaxColorFlags)
            taken[id] = true;
    }
    for (A_long id = 0; id < kMaxColorFlags; ++id)
        if (!taken[id])
            return id;
    return -1;
}

bool appendColorFlag(ColorFlagList &list, const ColorFlag &flag) noexcept {
    const A_long n = usedFlagCount(list);
    if (n >= kMaxColorFlags)
        return false;
    const A_long id = smallestUnusedId(list);
    list.flag[n] = flag;
    list.flag[n].id = id;
    list.count = n + 1;
    list.flags &= kColorFlagListSorted;
    return true;
}

void sortColorFlags(ColorFlagList &list) noexcept {
    const A_long n = usedFlagCount(list);
    for (A_long i = 1; i < n; ++i) {
        const ColorFlag moving = list.flag[i];
        A_long j = i;
        // Strict less-than: a flag never passes one at the same position.
        while (j > 0 && moving.position < list.flag[j - 1].position) {
            list.flag[j] = list.flag[j - 1];
            --j;
        }
        list.flag[j] = moving;
    }
    list.flags |= kColorFlagListSorted;
}

void initEmptyGradient(GradientData &data) noexcept {
    data.header = 0;
    std::memset(data.presetName, 0, sizeof data.presetName);
    initColorFlagList(data.current);
    initColorFlagList(data.preset);
}

void initDefaultGradient(GradientData &data, const ColorFlag *defaults, std::size_t count) noexcept {
    initEmptyGradient(data);
    for (std::size_t i = 0; i < count; ++i)
        appendColorFlag(data.current, defaults[i]);
}

} // namespace AEUtil
