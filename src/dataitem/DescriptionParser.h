#pragma once

#include <GPUTrovex/dataitem/DataItem.h>
#include <GPUTrovex/dataitem/GPUImplStatic.h>
#include <GPUTrovex/gpu/GPU.h>  // the records Parse returns: a host includes this header alone

#include <boost/shared_ptr.hpp>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class DataItemLValue;

// Reads report-shaped text (assignment lines such as glgpu[0].GLVendor="...") into a
// tree of data items, and turns the GPU items of that tree into GPU records whose
// answers come from the text. The text is untrusted: whatever it holds, reading
// ends, and a line that cannot be read is skipped.
//
// Every rule takes the position in a NUL-terminated text by reference, works on a
// copy, and moves the caller's position only when it succeeds.
class DescriptionParser {
public:
    // Token codes of NextToken; a punctuation token is its own character code.
    static constexpr int kTokNone = 0;
    static constexpr int kTokName = -1;
    static constexpr int kTokNumber = -2;
    static constexpr int kTokString = -3;

    // How deeply a statement may nest literals, and how many selectors its target may
    // chain. Reports nest two or three deep; the bound keeps hostile text from
    // exhausting the stack.
    static constexpr int kMaxNesting = 64;

    DescriptionParser();
    DescriptionParser(const DescriptionParser&) = delete;
    DescriptionParser& operator=(const DescriptionParser&) = delete;

    // A back end whose only content is the OpenGL records built from "glgpu" and the
    // OpenCL records built from "clgpu". A failure while reading leaves both lists
    // empty; its line is on standard error.
    GPUImplStatic Parse(const std::string& text);
    // The same reading, for a caller that must tell a failed reading from a text
    // without GPUs: false when reading failed, with both lists of result empty.
    bool Parse(const std::string& text, GPUImplStatic& result);

    // The top-level variable of that name; false, with result untouched, where there
    // is none.
    bool Lookup(const std::string& name, DataItemPtr& result);

    // Called for every statement a reading assigns, in the text's order, with its
    // key as written there less white space ("glgpu[0].GLVersion"): where a report
    // ends, and in which order its lines came, is in no variable.
    typedef std::function<void(const std::string& key)> StatementObserver;
    void ObserveStatements(const StatementObserver& observer);

    static int NextToken(const char*& position, std::string* text = nullptr,
                         long* number = nullptr);
    static bool Expect(const char*& position, int token, std::string* text = nullptr,
                       long* number = nullptr);
    // 0: no number, 1: an integer (32-bit wrap), 2: a double.
    static int ParseNumber(const char*& position, int& intValue, double& doubleValue,
                           std::string* text = nullptr);

    static bool SkipComment(const char*& position);
    bool ParseStatement(const char*& position);
    static bool AtEnd(const char*& position);
    static bool SkipLine(const char*& position);
    bool ParseTarget(const char*& position, boost::shared_ptr<DataItemLValue>& result);
    bool ParseValue(const char*& position, DataItemPtr& result);
    bool ParseMapLiteral(const char*& position, DataItemPtr& result);
    bool ParseArrayLiteral(const char*& position, DataItemPtr& result);
    static bool ParseIndex(const char*& position, int& index);

    // The back ends of the GPU items under that top-level name: one for a single
    // item, one per GPU item of an array. Anything that is not a GPU item is left out.
    std::vector<boost::shared_ptr<GPUImplStatic> > CollectImpls(const std::string& name);

private:
    // "." name, or "[" name "]".
    static bool ParseMember(const char*& position, std::string& name);
    // The place under key inside the container that slot now holds.
    boost::shared_ptr<DataItemLValue> Descend(DataItemLValue& slot, DataItemType kind,
                                              const DataItemPtr& key);

    // Charges the entries an index selector would add to the array in slot.
    void ChargeGrowth(DataItemLValue& slot, int index);

    DataItemPtr root;
    StatementObserver statementObserver;
    int literalDepth;
    // Entries index selectors may still add in this run. Gaps are free to write
    // ("a[60000]=1" is ten bytes), so a text may only make room in proportion to
    // its own length: memory stays linear in the text, whatever it holds.
    uint64_t growthBudget;
};
