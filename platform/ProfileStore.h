#pragma once

#include "platform/Service.h"

#include <QString>

namespace platform {

// The application's profile (the registry of the original): integer and text values in
// named sections.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    virtual int getInt(const QString& section, const QString& key, int defaultValue) = 0;
    virtual bool setInt(const QString& section, const QString& key, int value) = 0;
    virtual QString getString(const QString& section, const QString& key,
                              const QString& defaultValue = QString()) = 0;
    virtual bool setString(const QString& section, const QString& key, const QString& value) = 0;
};

template <>
ProfileStore& defaultService<ProfileStore>();

}  // namespace platform
