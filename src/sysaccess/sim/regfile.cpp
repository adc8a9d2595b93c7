#include "sysaccess/sim/regfile.h"

#include "sysaccess/regscript.h"

namespace sim {

std::vector<RejectedLine> ImportRegScript(Registry& registry, std::string_view text, bool abbreviatedRoots) {
    sysaccess::RegScript script = sysaccess::ReadRegScript(text, abbreviatedRoots);
    for (const sysaccess::ScriptOp& op : script.ops) {
        switch (op.kind) {
        case sysaccess::ScriptOp::Kind::CreateKey:
            registry.Create(op.key);
            break;
        case sysaccess::ScriptOp::Kind::DeleteKey:
            (void)registry.Delete(op.key);
            break;
        case sysaccess::ScriptOp::Kind::SetValue:
            registry.Create(op.key).SetValue(op.name, op.data);
            break;
        case sysaccess::ScriptOp::Kind::DeleteValue:
            if (RegKey* key = registry.Find(op.key)) (void)key->DeleteValue(op.name);
            break;
        }
    }
    return std::move(script.rejected);
}

namespace {

void ExportKey(const RegKey& key, const std::string& path, std::string& out) {
    out += "[" + path + "]\r\n";
    for (const RegValue* v : key.Values())
        out += sysaccess::RegValueLine(v->name, v->data) + "\r\n";
    out += "\r\n";
    for (const RegKey& sub : key.subkeys)
        ExportKey(sub, path + "\\" + sub.name, out);
}

} // namespace

std::string ExportRegScript(const Registry& registry) {
    std::string out = std::string(sysaccess::kRegScriptHeader) + "\r\n\r\n";
    for (std::size_t r = 0; r < kRoots.size(); ++r) {
        const RegKey& root = registry.Root(r);
        if (root.HasValues()) {
            out += "[" + std::string(kRoots[r].full) + "]\r\n";
            for (const RegValue* v : root.Values())
                out += sysaccess::RegValueLine(v->name, v->data) + "\r\n";
            out += "\r\n";
        }
        for (const RegKey& sub : root.subkeys)
            ExportKey(sub, std::string(kRoots[r].full) + "\\" + sub.name, out);
    }
    return out;
}

} // namespace sim
