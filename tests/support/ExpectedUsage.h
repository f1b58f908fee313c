#pragma once

// The usage text byte for byte, as the host sees it on standard error.
inline const char* const kExpectedUsage =
    "\n"
    "options:\n"
    "    -args=optionsFile\n"
    "OR\n"
    "    -failAfter=N {fail after N steps}\n"
    "    -throwAfter=N {throw exception after N steps}\n"
    "    -app=appName {currently, Velmora is the only option}\n"
    "    -hang=N {trovex hangs for N seconds before exit}\n"
    "    -timeout=N {trovex timeout (Mac only), default is 5}\n"
    "    -stdout=text {replaces normal stdout/stderr, adds text to the stdout that is displayed}\n"
    "    -stderr=text {replaces normal stdout/stderr, adds text to the stderr that is displayed}\n"
    "    -exit=N {exits with code N}\n"
    "    -verbose\n";
