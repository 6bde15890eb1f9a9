#include "physics/record_fields.h"

#include "physics/numeric/errors.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace tavro {

namespace {

using R = TDatenREK;

#define TAVRO_FIELD(name)                                                                          \
    RecordField {                                                                                  \
#name, &R::name                                                                            \
    }

const std::array kFields = {
    TAVRO_FIELD(Status),    TAVRO_FIELD(AirState),    TAVRO_FIELD(AirQuant),
    TAVRO_FIELD(pbar),      TAVRO_FIELD(SVol11),      TAVRO_FIELD(Vol11),
    TAVRO_FIELD(Temp11),    TAVRO_FIELD(Phi11),       TAVRO_FIELD(X11),
    TAVRO_FIELD(Dew11),     TAVRO_FIELD(WetBulb11),   TAVRO_FIELD(H11),
    TAVRO_FIELD(Rho11),     TAVRO_FIELD(MDry11),      TAVRO_FIELD(MWater11),
    TAVRO_FIELD(MAir11),    TAVRO_FIELD(SVol12),      TAVRO_FIELD(Vol12),
    TAVRO_FIELD(Temp12),    TAVRO_FIELD(Phi12),       TAVRO_FIELD(X12),
    TAVRO_FIELD(Dew12),     TAVRO_FIELD(WetBulb12),   TAVRO_FIELD(H12),
    TAVRO_FIELD(Rho12),     TAVRO_FIELD(MDry12),      TAVRO_FIELD(MWater12),
    TAVRO_FIELD(MAir12),    TAVRO_FIELD(Dp1),         TAVRO_FIELD(Dp1Std),
    TAVRO_FIELD(Vel1),      TAVRO_FIELD(Vel1Mean),    TAVRO_FIELD(VolumeAt),
    TAVRO_FIELD(SVol21),    TAVRO_FIELD(Vol21),       TAVRO_FIELD(Temp21),
    TAVRO_FIELD(Phi21),     TAVRO_FIELD(X21),         TAVRO_FIELD(Dew21),
    TAVRO_FIELD(WetBulb21), TAVRO_FIELD(H21),         TAVRO_FIELD(Rho21),
    TAVRO_FIELD(MDry21),    TAVRO_FIELD(MWater21),    TAVRO_FIELD(MAir21),
    TAVRO_FIELD(SVol22),    TAVRO_FIELD(Vol22),       TAVRO_FIELD(Temp22),
    TAVRO_FIELD(Phi22),     TAVRO_FIELD(X22),         TAVRO_FIELD(Dew22),
    TAVRO_FIELD(WetBulb22), TAVRO_FIELD(H22),         TAVRO_FIELD(Rho22),
    TAVRO_FIELD(MDry22),    TAVRO_FIELD(MWater22),    TAVRO_FIELD(MAir22),
    TAVRO_FIELD(Dp2),       TAVRO_FIELD(Dp2Std),      TAVRO_FIELD(Vel2),
    TAVRO_FIELD(Vel2Mean),  TAVRO_FIELD(Series),      TAVRO_FIELD(Units),
    TAVRO_FIELD(Edge),      TAVRO_FIELD(SizeNo),      TAVRO_FIELD(BlockEdge),
    TAVRO_FIELD(Width),     TAVRO_FIELD(Bypass),      TAVRO_FIELD(PType),
    TAVRO_FIELD(PlateGap),  TAVRO_FIELD(GapGiven),    TAVRO_FIELD(AirVelBypass),
    TAVRO_FIELD(Eta1),      TAVRO_FIELD(Eta2),        TAVRO_FIELD(EtaX1),
    TAVRO_FIELD(EtaX2),     TAVRO_FIELD(Eta1Wet),     TAVRO_FIELD(Eta2Wet),
    TAVRO_FIELD(Q1),        TAVRO_FIELD(Q2),          TAVRO_FIELD(Q1Wet),
    TAVRO_FIELD(Q2Wet),     TAVRO_FIELD(QLat1),       TAVRO_FIELD(QLat2),
    TAVRO_FIELD(QTot1),     TAVRO_FIELD(QTot2),       TAVRO_FIELD(Eps1),
    TAVRO_FIELD(Eps1Wet),   TAVRO_FIELD(EpsX1),       TAVRO_FIELD(EpsH1),
    TAVRO_FIELD(Eps2),      TAVRO_FIELD(Eps2Wet),     TAVRO_FIELD(EpsX2),
    TAVRO_FIELD(EpsH2),     TAVRO_FIELD(Condensate1), TAVRO_FIELD(Condensate2),
    TAVRO_FIELD(WetMode),   TAVRO_FIELD(FreezeRisk),  TAVRO_FIELD(EtaE),
    TAVRO_FIELD(HClass),    TAVRO_FIELD(HClassNo),    TAVRO_FIELD(HClassText),
    TAVRO_FIELD(EtaErP),    TAVRO_FIELD(Line),        TAVRO_FIELD(EffStandard),
};

#undef TAVRO_FIELD

template <class Int> Int ParseInt(std::string_view name, std::string_view text) {
    long long v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (text.empty() || ec != std::errc() || ptr != end || v < std::numeric_limits<Int>::min() ||
        v > std::numeric_limits<Int>::max()) {
        throw Error(std::string(name) + ": '" + std::string(text) + "' is not an integer from " +
                    std::to_string(+std::numeric_limits<Int>::min()) + " to " +
                    std::to_string(+std::numeric_limits<Int>::max()));
    }
    return static_cast<Int>(v);
}

} // namespace

std::span<const RecordField> RecordFields() {
    return kFields;
}

const RecordField* FindRecordField(std::string_view name) {
    for (const RecordField& f : kFields) {
        if (f.name == name) return &f;
    }
    return nullptr;
}

void SetRecordField(TDatenREK& record, const RecordField& field, std::string_view text) {
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(record.*member)>;
            if constexpr (std::is_same_v<T, std::string>) {
                record.*member = std::string(text);
            } else if constexpr (std::is_same_v<T, double>) {
                double v = 0;
                if (!ParseDouble(text, v)) {
                    throw Error(std::string(field.name) + ": '" + std::string(text) +
                                "' is not a number");
                }
                record.*member = v;
            } else {
                record.*member = ParseInt<T>(field.name, text);
            }
        },
        field.member);
}

std::string FormatRecordField(const TDatenREK& record, const RecordField& field) {
    return std::visit(
        [&](auto member) -> std::string {
            using T = std::remove_cvref_t<decltype(record.*member)>;
            if constexpr (std::is_same_v<T, std::string>) {
                return record.*member;
            } else if constexpr (std::is_same_v<T, double>) {
                return FormatDouble17(record.*member);
            } else {
                return std::to_string(+(record.*member));
            }
        },
        field.member);
}

} // namespace tavro
