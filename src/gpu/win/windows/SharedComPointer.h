#pragma once

#include <unknwn.h>

#include <boost/shared_ptr.hpp>

// Releases a COM object when its last shared owner goes.
struct ComReleaser {
    void operator()(IUnknown* object) const {
        if (object != nullptr) object->Release();
    }
};

// Takes over the reference the caller holds, as COM's creating and enumerating
// calls hand it out. A null pointer gives an empty owner.
template <typename Interface>
boost::shared_ptr<Interface> ShareComPointer(Interface* object) {
    return boost::shared_ptr<Interface>(object, ComReleaser());
}
