// light.cpp: a client of libqzcore's reflection: a light described by
// member records, edited through them, undone and redone with snapshots,
// and shown to a tool as a parameter group.
#include <QzCore.h>

#include <cstddef>
#include <cstdio>

// The client's class: plain members, one of them behind accessors.
struct SLight
{
    CQzRGBA<float> colour;
    float intensity;
    CQzVector3 position;
    TQzString<char> name;
    int intensityWrites;

    // the intensity goes through these, so the light can count its edits
    static void SetIntensity(void* light, void const* value)
    {
        SLight* const self = static_cast<SLight*>(light);
        self->intensity = *static_cast<float const*>(value);
        ++self->intensityWrites;
    }
    static void const* GetIntensity(void const* light) { return &static_cast<SLight const*>(light)->intensity; }
};

// The records a tool receives instead of the class.
CQzArray<CQzReflectionInformation> DescribeLight()
{
    typedef CQzReflectionInformation RI;
    static float minIntensity = 0.0f, maxIntensity = 10.0f, defaultIntensity = 1.0f;
    CQzArray<RI> records;
    records.Add(RI("colour", RI::REFLECTION_COLOR, offsetof(SLight, colour), nullptr, nullptr, nullptr, nullptr,
                   nullptr));
    records.Add(RI("intensity", RI::REFLECTION_FLOAT, 0, &defaultIntensity, &minIntensity, &maxIntensity,
                   &SLight::SetIntensity, &SLight::GetIntensity));
    records.Add(RI("position", RI::REFLECTION_VECTOR3, offsetof(SLight, position), nullptr, nullptr, nullptr,
                   nullptr, nullptr));
    records.Add(RI("name", RI::REFLECTION_STRING, offsetof(SLight, name), nullptr, nullptr, nullptr, nullptr,
                   nullptr));
    return records;
}

// Generic code: it knows the records, not the class.
void Print(char const* when, CQzArray<CQzReflectionInformation> const& records, void* object)
{
    std::printf("%-8s", when);
    for (int i = 0; i < records.GetCount(); ++i)
    {
        CQzReflectionInformation const& r = records[i];
        std::printf(" %s=", r.GetIdentifier().DebugCString());
        switch (r.GetType())
        {
        case CQzReflectionInformation::REFLECTION_COLOR:
        {
            CQzRGBA<float> const& c = r.GetValueColor(object);
            std::printf("(%g %g %g %g)", c.GetR(), c.GetG(), c.GetB(), c.GetA());
            break;
        }
        case CQzReflectionInformation::REFLECTION_FLOAT: std::printf("%g", r.GetValueFloat(object)); break;
        case CQzReflectionInformation::REFLECTION_VECTOR3:
        {
            CQzVector3 const& v = r.GetValueVector3(object);
            std::printf("(%g %g %g)", v.x, v.y, v.z);
            break;
        }
        case CQzReflectionInformation::REFLECTION_STRING: std::printf("\"%s\"", r.GetValueString(object).GetCString()); break;
        default: std::printf("?"); break;
        }
    }
    std::printf("\n");
}

bool Same(SLight const& a, SLight const& b)
{
    return a.colour.GetR() == b.colour.GetR() && a.colour.GetG() == b.colour.GetG() &&
           a.colour.GetB() == b.colour.GetB() && a.colour.GetA() == b.colour.GetA() &&
           a.intensity == b.intensity && a.position == b.position &&
           qzStrcmp(a.name.GetCString(), b.name.GetCString()) == 0;
}

int main()
{
    SLight light{CQzRGBA<float>(1.0f, 0.9f, 0.8f, 1.0f), 1.0f, CQzVector3(0.0f, 0.0f, 3.0f), "key light", 0};
    CQzArray<CQzReflectionInformation> const records = DescribeLight();
    SLight const original = light;
    Print("start", records, &light);

    // an editor saves the members it is about to change, then edits them
    CQzArray<CQzArray<CQzReflectionInformation>> lists;
    lists.Add(records);
    CQzArray<void*> objects;
    objects.Add(&light);
    CQzArray<CQzReflectionInformationSnapShot*> undo;
    CQzReflectionInformationSnapShot::SaveReflectionInformation(lists, objects, undo);
    records[0].SetValueColor(&light, CQzRGBA<float>(0.2f, 0.4f, 1.0f, 1.0f));
    records[1].SetValueFloat(&light, 4.5f);
    records[2].SetValueVector3(&light, CQzVector3(2.0f, -1.0f, 3.5f));
    records[3].SetValueString(&light, "blue rim light");
    SLight const edited = light;
    Print("edited", records, &light);

    // undo and redo are the same exchange
    for (int i = undo.GetCount() - 1; i >= 0; --i)
        undo[i]->BackUp();
    Print("undone", records, &light);
    bool ok = Same(light, original);
    for (int i = 0; i < undo.GetCount(); ++i)
        undo[i]->BackUp();
    Print("redone", records, &light);
    ok = ok && Same(light, edited);
    for (int i = 0; i < undo.GetCount(); ++i)
        delete undo[i];

    // the tool's panel: one group per object, its values as text
    CQzParameterGroupList panel;
    CQzParameterGroup* const group = panel.AddParameterGroup(light.name);
    CQzRGBA<float> const& c = records[0].GetValueColor(&light);
    group->AddParameterColor("colour", c.GetR(), c.GetG(), c.GetB(), c.GetA());
    CQzParameterFloat* const intensity = group->AddParameterFloat(
        "intensity", records[1].GetValueFloat(&light), *static_cast<float*>(records[1].GetMinValue()),
        *static_cast<float*>(records[1].GetMaxValue()), 0.5f);
    CQzVector3 const& p = records[2].GetValueVector3(&light);
    group->AddParameterFloat("position.z", p.z, -100.0f, 100.0f, 0.1f);
    for (int i = 0; i < group->GetParameterCount(); ++i)
    {
        char text[32];
        group->GetParameter(i)->GetValueAsText(text, sizeof text);
        std::printf("panel    %s / %s = %s\n", group->GetName().GetCString(),
                    group->GetParameter(i)->GetName().GetCString(), text);
    }

    // the user drags the intensity slider; the edit goes back through the record
    intensity->SetValue(7.5f);
    records[1].SetValueFloat(&light, intensity->GetValue());
    ok = ok && light.intensity == 7.5f && light.intensityWrites == 4;
    std::printf("panel    intensity -> %g (%d writes through the setter)\n", light.intensity, light.intensityWrites);
    std::printf("qzcore light example: %s\n", ok ? "undo and redo ok" : "FAILED");
    return ok ? 0 : 1;
}
