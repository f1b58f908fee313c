#include "dataitem/DescriptionParser.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>

#include "dataitem/DataItemArray.h"
#include "dataitem/DataItemDouble.h"
#include "dataitem/DataItemGPU.h"
#include "dataitem/DataItemInt.h"
#include "dataitem/DataItemLValue.h"
#include "dataitem/DataItemMap.h"
#include "dataitem/DataItemString.h"
#include "failure/FailRequirement.h"
#include "gpu/GPU.h"

namespace {

// Bytes above 127 are neither space, letter nor digit: the C classification
// functions must not see them as negative values, and no name of a report uses them.
bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }
bool IsSpace(char c) { return IsAscii(c) && std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsAlpha(char c) { return IsAscii(c) && std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return IsAscii(c) && std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsHexDigit(char c) { return IsAscii(c) && std::isxdigit(static_cast<unsigned char>(c)) != 0; }

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    return std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
}

// Beyond this a decimal exponent only makes the number infinite or zero.
const int kMaxExponent = 9999;

// 10 to the exponent by squaring, exact up to 10^22. Not std::pow: since glibc
// 2.29 it binds a symbol version that older C libraries lack, and the programs
// that ship start on C libraries from 2.17 on.
double PowerOfTen(int exponent) {
    double power = 1.0;
    for (double base = 10.0; exponent != 0; exponent >>= 1, base *= base) {
        if (exponent & 1) power *= base;
    }
    return power;
}

// Array entries a run may add through index selectors: so many per byte of text,
// plus a fixed allowance for short texts.
const uint64_t kGrowthPerByte = 16;
const uint64_t kGrowthAllowance = 65536;

const char* SkipSpace(const char* position) {
    while (IsSpace(*position)) ++position;
    return position;
}

const char* SkipToLineEnd(const char* position) {
    while (*position != '\0' && *position != '\r' && *position != '\n') ++position;
    return position;
}

// Counts one more level of literal nesting while a literal is being read.
class NestingGuard {
public:
    explicit NestingGuard(int& depth) : depth(depth) { ++depth; }
    ~NestingGuard() { --depth; }

private:
    int& depth;
};

// Reads the entries of a literal, separated by commas, up to close; readEntry
// reads one where p points, and kept() tells whether one has been kept so far.
// False where the literal does not go on as it should.
template <typename Kept, typename ReadEntry>
bool ParseEntries(const char*& p, char close, Kept kept, ReadEntry readEntry) {
    while (!DescriptionParser::Expect(p, close)) {
        const char* start = p;
        if (kept() && !DescriptionParser::Expect(p, ',')) return false;
        readEntry(p);
        // A pass that reads nothing would read nothing for ever.
        if (p == start) return false;
    }
    return true;
}

}  // namespace

DescriptionParser::DescriptionParser()
    : root(new DataItemMapLiteral(this)), literalDepth(0), growthBudget(0) {}

GPUImplStatic DescriptionParser::Parse(const std::string& text) {
    GPUImplStatic result;
    Parse(text, result);
    return result;
}

bool DescriptionParser::Parse(const std::string& text, GPUImplStatic& result) {
    try {
        root.reset(new DataItemMapLiteral(this));
        literalDepth = 0;
        growthBudget = kGrowthPerByte * text.size() + kGrowthAllowance;
        const char* position = text.c_str();
        for (;;) {
            if (SkipComment(position) || ParseStatement(position)) continue;
            if (AtEnd(position)) break;
            SkipLine(position);
        }
        GLGPUVec glGPUs;
        for (const boost::shared_ptr<GPUImplStatic>& impl : CollectImpls("glgpu"))
            glGPUs.push_back(boost::shared_ptr<GLGPU>(new GLGPU(impl)));
        CLGPUVec clGPUs;
        for (const boost::shared_ptr<GPUImplStatic>& impl : CollectImpls("clgpu"))
            clGPUs.push_back(boost::shared_ptr<CLGPU>(new CLGPU(impl)));
        result.SetGPUs(glGPUs);
        result.SetCLGPUs(clGPUs);
        return true;
    } catch (...) {
        // A failed requirement has written its line on standard error. Whatever failed,
        // the caller sees no records rather than some of them.
        result.SetGPUs(GLGPUVec());
        result.SetCLGPUs(CLGPUVec());
        return false;
    }
}

bool DescriptionParser::Lookup(const std::string& name, DataItemPtr& result) {
    DataItemPtr entry = root->AsMap()->Get(name);
    if (!entry) return false;
    result = entry;
    return true;
}

void DescriptionParser::ObserveStatements(const StatementObserver& observer) {
    statementObserver = observer;
}

int DescriptionParser::NextToken(const char*& position, std::string* text, long* number) {
    const char* p = SkipSpace(position);
    const char c = *p;
    if (IsAlpha(c) || c == '_') {
        const char* start = p;
        for (;;) {
            if (IsAlpha(*p) || IsDigit(*p) || *p == '_')
                ++p;
            else if (p[0] == ':' && p[1] == ':')
                p += 2;
            else
                break;
        }
        if (text != nullptr) text->assign(start, p);
        position = p;
        return kTokName;
    }
    if (IsDigit(c)) {
        char* end = nullptr;
        const long value = std::strtol(p, &end, 0);
        if (text != nullptr) text->assign(p, static_cast<const char*>(end));
        if (number != nullptr) *number = value;
        position = end;
        return kTokNumber;
    }
    if (c == '"' || c == '\'') {
        std::string value;
        for (const char* q = p + 1; *q != '\0'; ++q) {
            if (*q == c) {
                if (text != nullptr) *text = value;
                position = q + 1;
                return kTokString;
            }
            // A backslash keeps the next character, whatever it is, but not the text end.
            if (*q == '\\' && *++q == '\0') break;
            value += *q;
        }
        return kTokNone;
    }
    switch (c) {
        case '.':
        case ',':
        case '-':
        case '[':
        case ']':
        case '{':
        case '}':
        case '=':
            if (text != nullptr) text->assign(1, c);
            position = p + 1;
            return c;
        default:
            return kTokNone;
    }
}

bool DescriptionParser::Expect(const char*& position, int token, std::string* text, long* number) {
    const char* p = position;
    std::string tokenText;
    long tokenNumber = 0;
    if (NextToken(p, &tokenText, &tokenNumber) != token) return false;
    if (text != nullptr) *text = tokenText;
    if (number != nullptr) *number = tokenNumber;
    position = p;
    return true;
}

int DescriptionParser::ParseNumber(const char*& position, int& intValue, double& doubleValue,
                                   std::string* text) {
    const char* p = SkipSpace(position);
    const bool negative = p[0] == '-' && IsDigit(p[1]);
    if (negative) ++p;
    if (!IsDigit(*p)) return 0;
    // Integers wrap at 32 bits, so the report's unsigned 4294967295 reads as -1.
    uint32_t decimal = 0;
    bool isDouble = false;
    double value = 0.0;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && IsHexDigit(p[2])) {
        for (p += 2; IsHexDigit(*p); ++p) decimal = decimal * 16 + HexValue(*p);
    } else {
        // A leading zero reads the digits as octal, unless an 8 or a 9 follows.
        bool octalMode = *p == '0';
        if (octalMode) ++p;
        uint32_t octal = 0;
        for (; IsDigit(*p); ++p) {
            const int digit = *p - '0';
            decimal = decimal * 10 + digit;
            value = value * 10 + digit;
            if (digit >= 8) octalMode = false;
            if (octalMode) octal = octal * 8 + digit;
        }
        if (octalMode) decimal = octal;
        if (*p == '.') {
            isDouble = true;
            double scale = 1.0;
            for (++p; IsDigit(*p); ++p) {
                scale *= 10;
                value += (*p - '0') / scale;
            }
        }
        const char* e = p;
        if (*e == 'e' || *e == 'E') {
            ++e;
            const bool negativeExponent = *e == '-';
            if (*e == '+' || *e == '-') ++e;
            if (IsDigit(*e)) {
                int exponent = 0;
                for (; IsDigit(*e); ++e) {
                    exponent = exponent * 10 + (*e - '0');
                    if (exponent > kMaxExponent) exponent = kMaxExponent;
                }
                isDouble = true;
                // Zero stays zero, even times an infinite power of ten.
                if (value != 0.0)
                    value *= negativeExponent ? 1.0 / PowerOfTen(exponent) : PowerOfTen(exponent);
                p = e;
            }
        }
    }
    if (isDouble)
        doubleValue = negative ? -value : value;
    else
        intValue = static_cast<int>(negative ? 0u - decimal : decimal);
    if (text != nullptr) text->assign(position, p);
    position = p;
    return isDouble ? 2 : 1;
}

bool DescriptionParser::SkipComment(const char*& position) {
    const char* p = SkipSpace(position);
    if (*p != '#') return false;
    position = SkipToLineEnd(p);
    return true;
}

bool DescriptionParser::ParseStatement(const char*& position) {
    const char* p = position;
    boost::shared_ptr<DataItemLValue> target;
    if (!ParseTarget(p, target)) return false;
    const char* const targetEnd = p;
    DataItemPtr value;
    if (!Expect(p, '=') || !ParseValue(p, value)) return false;
    target->Assign(value);
    if (statementObserver) {
        std::string key;
        for (const char* c = position; c != targetEnd; ++c)
            if (!IsSpace(*c)) key += *c;
        statementObserver(key);
    }
    position = p;
    return true;
}

bool DescriptionParser::AtEnd(const char*& position) {
    const char* p = SkipSpace(position);
    if (*p != '\0') return false;
    position = p;
    return true;
}

bool DescriptionParser::SkipLine(const char*& position) {
    position = SkipSpace(SkipToLineEnd(position));
    return true;
}

bool DescriptionParser::ParseTarget(const char*& position,
                                    boost::shared_ptr<DataItemLValue>& result) {
    const char* p = position;
    std::string lastName;
    if (!Expect(p, kTokName, &lastName)) return false;
    boost::shared_ptr<DataItemLValue> slot(
        new DataItemLValue(this, root, DataItemPtr(new DataItemStringLiteral(this, lastName))));
    // Whether the slot is a member of a GPU item.
    bool inGPU = false;
    for (int selectors = 0;; ++selectors) {
        // Reading the place also checks a GPU item's member name.
        const DataItemPtr current = slot->Target();
        std::string member;
        int index = 0;
        const bool isMember = ParseMember(p, member);
        if (!isMember && !ParseIndex(p, index)) break;
        if (selectors == kMaxNesting) return false;
        // A GPU item's property holds a value, never a container to select in, whatever
        // the value's kind: refuse before the property is assigned a container.
        if (inGPU && current && current->Type() != kMap)
            FailRequirement("DataItemGPU: no such member");
        if (isMember) {
            DataItemPtr map = current;
            if (!current || current->Type() != kMap) {
                const bool isGPU = lastName == "glgpu" || lastName == "clgpu";
                map = isGPU ? DataItemPtr(new DataItemGPU(this))
                            : DataItemPtr(new DataItemMapLiteral(this));
                slot->Assign(map);
            }
            inGPU = dynamic_cast<DataItemGPU*>(map.get()) != nullptr;
            slot = Descend(*slot, kMap, DataItemPtr(new DataItemStringLiteral(this, member)));
            lastName = member;
        } else {
            inGPU = false;
            if (!current || current->Type() != kArray)
                slot->Assign(DataItemPtr(new DataItemArrayLiteral(this)));
            ChargeGrowth(*slot, index);
            slot = Descend(*slot, kArray, DataItemPtr(new DataItemIntLiteral(this, index)));
        }
    }
    position = p;
    result = slot;
    return true;
}

bool DescriptionParser::ParseValue(const char*& position, DataItemPtr& result) {
    int intValue = 0;
    double doubleValue = 0.0;
    const int number = ParseNumber(position, intValue, doubleValue);
    if (number == 1) {
        result.reset(new DataItemIntLiteral(this, intValue));
        return true;
    }
    if (number == 2) {
        result.reset(new DataItemDoubleLiteral(this, doubleValue));
        return true;
    }
    std::string text;
    if (Expect(position, kTokString, &text)) {
        result.reset(new DataItemStringLiteral(this, text));
        return true;
    }
    if (literalDepth == kMaxNesting) return false;
    NestingGuard nesting(literalDepth);
    return ParseMapLiteral(position, result) || ParseArrayLiteral(position, result);
}

bool DescriptionParser::ParseMapLiteral(const char*& position, DataItemPtr& result) {
    const char* p = position;
    if (!Expect(p, '{')) return false;
    boost::shared_ptr<DataItemMapLiteral> map(new DataItemMapLiteral(this));
    const auto kept = [&map] { return map->Size() > 0; };
    const auto readEntry = [this, &map](const char*& q) {
        // What an entry read before failing is dropped, not read again.
        std::string name;
        DataItemPtr value;
        if (Expect(q, kTokName, &name) && Expect(q, '=') && ParseValue(q, value))
            map->Set(name, value);
    };
    if (!ParseEntries(p, '}', kept, readEntry)) return false;
    position = p;
    result = map;
    return true;
}

bool DescriptionParser::ParseArrayLiteral(const char*& position, DataItemPtr& result) {
    const char* p = position;
    if (!Expect(p, '[')) return false;
    boost::shared_ptr<DataItemArrayLiteral> array(new DataItemArrayLiteral(this));
    uint32_t count = 0;
    const auto readEntry = [this, &array, &count](const char*& q) {
        DataItemPtr value;
        if (ParseValue(q, value)) array->Set(count++, value);
    };
    if (!ParseEntries(
            p, ']', [&count] { return count > 0; }, readEntry))
        return false;
    position = p;
    result = array;
    return true;
}

bool DescriptionParser::ParseIndex(const char*& position, int& index) {
    const char* p = position;
    long number = 0;
    if (!Expect(p, '[') || !Expect(p, kTokNumber, nullptr, &number) || !Expect(p, ']'))
        return false;
    // An index past 32 bits must not wrap onto a small one: it reads as the largest,
    // which no array grows to.
    const uint64_t value = static_cast<uint64_t>(number);
    index = static_cast<int>(value > UINT32_MAX ? UINT32_MAX : value);
    position = p;
    return true;
}

std::vector<boost::shared_ptr<GPUImplStatic> > DescriptionParser::CollectImpls(
    const std::string& name) {
    std::vector<boost::shared_ptr<GPUImplStatic> > impls;
    DataItemPtr entry;
    if (!Lookup(name, entry)) return impls;
    DataItemItems items;
    if (entry->Type() == kMap)
        items.push_back(entry);
    else if (entry->Type() == kArray)
        items = entry->AsArray()->Items();
    // A place an index skipped over, or a plain value such as glgpu[0]=5, is no GPU.
    for (const DataItemPtr& item : items) {
        DataItemGPU* gpu = dynamic_cast<DataItemGPU*>(item.get());
        if (gpu != nullptr) impls.push_back(gpu->ResolveImpl());
    }
    return impls;
}

bool DescriptionParser::ParseMember(const char*& position, std::string& name) {
    const char* p = position;
    const bool found = Expect(p, '.')
                           ? Expect(p, kTokName, &name)
                           : Expect(p, '[') && Expect(p, kTokName, &name) && Expect(p, ']');
    if (found) position = p;
    return found;
}

void DescriptionParser::ChargeGrowth(DataItemLValue& slot, int index) {
    const DataItemPtr array = slot.Target();
    // Not an array: Descend refuses the selector.
    if (!array || array->Type() != kArray) return;
    const uint64_t size = array->AsArray()->Size();
    const uint64_t wanted = static_cast<uint64_t>(static_cast<uint32_t>(index)) + 1;
    if (wanted <= size) return;
    if (wanted - size > growthBudget)
        FailRequirement("DescriptionParser: array indexes reach beyond what the text can fill");
    growthBudget -= wanted - size;
}

boost::shared_ptr<DataItemLValue> DescriptionParser::Descend(DataItemLValue& slot,
                                                             DataItemType kind,
                                                             const DataItemPtr& key) {
    const DataItemPtr container = slot.Target();
    // Only a GPU item's property could answer with something else, and ParseTarget
    // refuses selectors after one before this.
    if (!container || container->Type() != kind) FailRequirement("DataItemGPU: no such member");
    return boost::shared_ptr<DataItemLValue>(new DataItemLValue(this, container, key));
}
