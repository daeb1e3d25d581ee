#include "presets/reference_presets.h"

namespace lagewandler {

ReferencePresets firstSetOf(const ReferencePresets& first, const ReferencePresets& second) {
    return {first.north ? first.north : second.north, first.east ? first.east : second.east};
}

}  // namespace lagewandler
