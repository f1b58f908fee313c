#pragma once

// COM for the calling thread, as a single-threaded apartment, for as long as the
// object lives. Fails through FailRequirement("CoInitializeEx"), also where the
// thread already uses another apartment model.
class ComInitializer {
public:
    ComInitializer();
    ~ComInitializer();

private:
    ComInitializer(const ComInitializer&) = delete;
    ComInitializer& operator=(const ComInitializer&) = delete;
};
