#pragma once

class CArchive;
class CObject;

// What a class of the object hierarchy is at run time: its name, its base
// and, for classes that can be created by name, how to create one.
struct CRuntimeClass
{
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    // A new default-constructed object, or null for a class that cannot be
    // created dynamically.
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;

    // The registered class of that name, or null.
    static const CRuntimeClass* FromName(const char* className);
};

// Adds a class to the registry FromName searches; used by the macros below.
struct CRuntimeClassRegistration
{
    explicit CRuntimeClassRegistration(const CRuntimeClass* runtimeClass);
};

// The root of the serializable object hierarchy.
class CObject
{
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    // Stores or loads the object's fields; the base has none.
    virtual void Serialize(CArchive& archive);

    bool IsKindOf(const CRuntimeClass* runtimeClass) const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// In the class: its runtime class, known by name.
#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static const CRuntimeClass class##class_name;                                                  \
    const CRuntimeClass* GetRuntimeClass() const override;

// In the class: as DECLARE_DYNAMIC, and creatable by name.
#define DECLARE_DYNCREATE(class_name)                                                              \
    DECLARE_DYNAMIC(class_name)                                                                    \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define NOLVEX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, create)                         \
    const CRuntimeClass class_name::class##class_name = {#class_name, create,                      \
                                                         RUNTIME_CLASS(base_class_name)};          \
    const CRuntimeClass* class_name::GetRuntimeClass() const                                       \
    {                                                                                              \
        return RUNTIME_CLASS(class_name);                                                          \
    }                                                                                              \
    static const CRuntimeClassRegistration registration##class_name(RUNTIME_CLASS(class_name));

// In one source file.
#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                           \
    CObject* class_name::CreateObject()                                                            \
    {                                                                                              \
        return new class_name;                                                                     \
    }                                                                                              \
    NOLVEX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                                      \
    IMPLEMENT_DYNCREATE(class_name, base_class_name)
