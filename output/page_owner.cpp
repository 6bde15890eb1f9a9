#include "output/page_owner.h"

namespace tavro {

const TDatenREK& PageOwner::PageRecord() const {
    static const TDatenREK none;
    return none;
}

} // namespace tavro
