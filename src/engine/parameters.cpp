#include "engine/parameters.hpp"

#include <algorithm>
#include <array>
#include <type_traits>

namespace sarvelo {

const char* const kCredit = "Sarvelo, traitement des clés de détermination";
const char* const kVersion = "2.02.2011";

const TextList& defaultSequences() {
    static const TextList lines{
        "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20",
        "a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z",
        "A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P,Q,R,S,T,U,V,W,X,Y,Z",
    };
    return lines;
}

namespace {

constexpr bool isLeftAlone(LeftAlone) { return true; }
template <typename T>
constexpr bool isLeftAlone(const T&) { return false; }

const std::array kInfos{
#define SARVELO_INFO(kind, nm, caption, lo, hi, page, hidden, options, start, reset) \
    ParamInfo{#nm, ParamKind::kind, caption, lo, hi, page, hidden, options, isLeftAlone(reset)},
    SARVELO_KEY_PARAMETERS(SARVELO_INFO)
#undef SARVELO_INFO
};

template <typename T, typename S>
void applyReset(T& field, const S& startUp, SameAsStartUp) { field = startUp; }
template <typename T, typename S>
void applyReset(T&, const S&, LeftAlone) {}
template <typename T, typename S, typename V>
void applyReset(T& field, const S&, const V& value) { field = value; }

}  // namespace

std::vector<std::string> ParamInfo::optionList() const {
    std::vector<std::string> items;
    if (options.empty()) return items;
    std::size_t start = 0;
    while (true) {
        const auto bar = options.find('|', start);
        items.emplace_back(options.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    return items;
}

std::span<const ParamInfo> paramInfos() { return kInfos; }

const ParamInfo* findParam(std::string_view name) {
    for (const auto& info : kInfos)
        if (info.name == name) return &info;
    return nullptr;
}

ParamRef fieldOf(KeyParams& p, const ParamInfo& info) {
#define SARVELO_REF(kind, nm, caption, lo, hi, page, hidden, options, start, reset) \
    if (info.name == #nm) return &p.nm;
    SARVELO_KEY_PARAMETERS(SARVELO_REF)
#undef SARVELO_REF
    return static_cast<std::string*>(nullptr);
}

ConstParamRef fieldOf(const KeyParams& p, const ParamInfo& info) {
    return std::visit([](auto* f) -> ConstParamRef { return f; }, fieldOf(const_cast<KeyParams&>(p), info));
}

void resetParams(KeyParams& p) {
#define SARVELO_RESET(kind, nm, caption, lo, hi, page, hidden, options, start, reset) \
    applyReset(p.nm, kind##_t(start), reset);
    SARVELO_KEY_PARAMETERS(SARVELO_RESET)
#undef SARVELO_RESET
}

void blankParams(KeyParams& p) {
    for (const auto& info : kInfos) {
        std::visit(
            [&](auto* f) {
                using T = std::remove_pointer_t<decltype(f)>;
                if constexpr (std::is_same_v<T, int>) {
                    *f = info.kind == ParamKind::Choice ? -1 : std::clamp(0, info.minimum, info.maximum);
                } else {
                    *f = T{};
                }
            },
            fieldOf(p, info));
    }
}

bool sameValue(const KeyParams& a, const KeyParams& b, const ParamInfo& info) {
    return std::visit(
        [&](const auto* fa) {
            using P = decltype(fa);
            return *fa == *std::get<P>(fieldOf(b, info));
        },
        fieldOf(a, info));
}

void copyParam(KeyParams& to, const KeyParams& from, const ParamInfo& info) {
    std::visit(
        [&](auto* target) {
            using T = std::remove_pointer_t<decltype(target)>;
            *target = *std::get<const T*>(fieldOf(from, info));
        },
        fieldOf(to, info));
}

}  // namespace sarvelo
