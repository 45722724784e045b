// QzWellKnownIdentifiers.cpp: building QZID: the members are set from the
// list of texts, in list order except for the few names the engine has
// always registered earlier.
#include "identifier/QzWellKnownIdentifiers.h"

#include "identifier/internal/QzWellKnownTexts.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <numeric>
#include <type_traits>
#include <vector>

namespace {

using qzidentifier::kWellKnownCount;
using qzidentifier::kWellKnownTexts;

// The members are read as an array of identifiers, member i for text i:
// this holds only while they are exactly as many as the texts, with
// nothing between them.
static_assert(std::is_standard_layout<SQzWellKnownIdentifiers>::value, "members read as an array");
static_assert(sizeof(SQzWellKnownIdentifiers) == kWellKnownCount * sizeof(CQzIdentifier),
              "one member per text, no padding");
static_assert(offsetof(SQzWellKnownIdentifiers, parent_point) ==
                  (kWellKnownCount - 1) * sizeof(CQzIdentifier),
              "the last member belongs to the last text");

// Registration order differs from member order for these: text goes in
// just before the text named by before.
struct SEarlier
{
    char const* text;
    char const* before;
};
constexpr SEarlier kRegisteredEarlier[] = {
    {"near", "far"}, {"object_list", "layer_list"}, {"extensions", "extension"}};

int IndexOfText(char const* text)
{
    for (int i = 0; i < kWellKnownCount; ++i)
        if (std::strcmp(kWellKnownTexts[i], text) == 0)
            return i;
    return -1;
}

// Member indices in the order their texts are registered.
std::vector<int> RegistrationOrder()
{
    std::vector<int> order(kWellKnownCount);
    std::iota(order.begin(), order.end(), 0);
    for (SEarlier const& earlier : kRegisteredEarlier)
    {
        int const moved = IndexOfText(earlier.text);
        order.erase(std::find(order.begin(), order.end(), moved));
        order.insert(std::find(order.begin(), order.end(), IndexOfText(earlier.before)), moved);
    }
    return order;
}

} // namespace

QZID* QZID::GetSingleton()
{
    // made by whichever thread comes first, never destroyed
    static QZID* const instance = new QZID();
    return instance;
}

QZID::QZID() : pEmpty(&empty)
{
    empty.Set("");
    CQzIdentifier* const members =
        reinterpret_cast<CQzIdentifier*>(static_cast<SQzWellKnownIdentifiers*>(this));
    for (int const i : RegistrationOrder())
        members[i].Set(kWellKnownTexts[i]);
}

QZID::~QZID() = default;
