#pragma once

#include <boost/shared_ptr.hpp>

#include "dataitem/DataItemMap.h"
#include "dataitem/GPUImplStatic.h"

// One GPU of a description: a map whose members are the report's property names,
// bound to a back end of its own. Assigning a member stores the value in the back
// end; reading one asks the back end again. The four query tables (glGetString,
// glGetIntegerv, glGetProgramivARB, extension) are plain maps keyed by enumerant
// names until ResolveImpl turns them into numeric tables.
class DataItemGPU : public DataItemMap {
public:
    explicit DataItemGPU(DescriptionParser* parser);
    ~DataItemGPU() override;

    // The back end, after applying the query tables under the codes that the
    // description's "gputag" map gives their names. Without a "gputag" map the
    // tables stay unapplied; a name without a code is left out.
    boost::shared_ptr<GPUImplStatic> ResolveImpl();

protected:
    DataItemPtr DoGet(const std::string& key) override;
    void DoSet(const std::string& key, const DataItemPtr& item) override;
    bool DoHas(const std::string& key) override;
    DataItemEntries DoEntries() override;

private:
    struct Member;
    static const Member kMembers[];

    // Null for a name outside the member table.
    static const Member* FindMember(const std::string& name);
    // Fails for a name outside the member table.
    static const Member& RequireMember(const std::string& name);
    DataItemPtr GetMember(const Member& member);

    boost::shared_ptr<GPUImplStatic> impl;
    DataItemPtr glStringValues;
    DataItemPtr glIntegervValues;
    DataItemPtr glProgramivValues;
    DataItemPtr extensionValues;
};
