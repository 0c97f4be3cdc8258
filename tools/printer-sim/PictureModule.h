#pragma once

#include "SimModule.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>

// The picture memory: "IS" stores exactly the announced bytes under a name, "IR" recalls a
// picture (the "P" count after it prints it), "ID" deletes one or all, "II" lists them.
// With --dump-dir every stored picture is also written there as a file.
class PictureModule : public SimModule {
public:
    static constexpr std::size_t kMaxPictureBytes = 64u << 20;
    static constexpr std::size_t kMaxNameLength = 256;
    static constexpr std::size_t kMaxNumberLength = 12;

    void addOptions(QCommandLineParser& parser) override;
    bool applyOptions(const QCommandLineParser& parser, std::string& error) override;
    std::size_t consume(std::string_view pending, SimPrinterState& state,
                        std::string& reply) override;

    const std::map<std::string, std::string>& pictures() const { return m_pictures; }
    void setDumpDir(const std::string& dir) { m_dumpDir = dir; }
    // The file a stored picture is dumped to (its name made safe, an extension from its bytes).
    static std::string DumpFileName(const std::string& name, const std::string& bytes);

private:
    std::size_t store(std::string_view pending);
    std::size_t recall(std::string_view pending);
    std::size_t print(std::string_view pending);
    std::size_t remove(std::string_view pending);
    std::size_t information(std::string_view pending);
    void dump(const std::string& name, const std::string& bytes) const;

    std::map<std::string, std::string> m_pictures;
    std::optional<std::string> m_recalled;  // a recall waiting for its print count
    std::string m_dumpDir;
};
