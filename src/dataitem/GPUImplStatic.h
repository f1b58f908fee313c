#pragma once

#include <GPUTrovex/gpu/GPUImpl.h>
#include <GPUTrovex/gpu/GPUProperties.h>

#include <boost/shared_ptr.hpp>
#include <map>
#include <set>
#include <string>
#include <vector>

// A back end that asks no driver: it answers from values stored in it, which a
// description read back from a report supplies. A query for an OpenGL value that
// was never stored fails rather than inventing one. Its single values are the
// property lists of gpu/GPUProperties.h: a setter, a field and an answer each.
class GPUImplStatic : public GPUImpl {
public:
    GPUImplStatic();
    ~GPUImplStatic() override;

    void SetGPUs(const GLGPUVec& gpus);
    void SetCLGPUs(const CLGPUVec& gpus);

#define TROVEX_STATIC_SETTER(Name, Type, Query) \
    void Set##Name(const Type& value) {         \
        values.Name = value;                    \
        held.insert(#Name);                     \
    }
    TROVEX_GL_PROPERTIES(TROVEX_STATIC_SETTER)
    TROVEX_CL_PROPERTIES(TROVEX_STATIC_SETTER)
#undef TROVEX_STATIC_SETTER

    // Whether a setter has stored the property of that name (a name of the lists in
    // gpu/GPUProperties.h). One never stored answers its initial value, which a
    // caller that shows a record should not pass off as a value of the description.
    bool Holds(const std::string& property) const;

    // A null text is stored as such and answered as null.
    void SetGLString(int code, const char* value);
    void SetGLIntegerv(int code, const std::vector<int>& values);
    void SetGLProgramivARB(int target, int code, const std::vector<int>& values);
    void SetExtension(int code, bool value);

protected:
#define TROVEX_STATIC_ANSWER(Name, Type, Query) \
    Type Do##Query() override { return values.Name; }
    TROVEX_GL_PROPERTIES(TROVEX_STATIC_ANSWER)
    TROVEX_CL_PROPERTIES(TROVEX_STATIC_ANSWER)
#undef TROVEX_STATIC_ANSWER

    GLGPUVec DoGetGPUs() override;
    // The text lives in this back end until its entry is replaced.
    const char* DoGLGetString(GLenum name) override;
    // Writes at most kMaxGLQueryValues values, however many the description listed.
    void DoGLGetIntegerv(GLenum pname, GLint* params) override;
    void DoGLGetProgramivARB(GLenum target, GLenum pname, GLint* params) override;
    bool DoCheckExtension(Quelt::OGL::OpenGLExtension extension) override;
    CLGPUVec DoGetCLGPUs() override;

private:
    typedef std::map<int, std::vector<int> > QueryValues;

    // Value-initialised: empty texts, 0, false and 0.0 until a description sets them.
    struct Values {
#define TROVEX_STATIC_FIELD(Name, Type, Query) Type Name{};
        TROVEX_GL_PROPERTIES(TROVEX_STATIC_FIELD)
        TROVEX_CL_PROPERTIES(TROVEX_STATIC_FIELD)
#undef TROVEX_STATIC_FIELD
    };

    GLGPUVec gpus;
    CLGPUVec clGPUs;
    Values values;
    std::set<std::string> held;
    std::map<int, boost::shared_ptr<std::string> > glStrings;
    QueryValues glIntegervValues;
    std::map<int, QueryValues> glProgramivValues;
    std::map<int, bool> extensions;
};
