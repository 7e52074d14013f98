#pragma once

#include <string>
#include <string_view>

namespace zidezo {

// Work factor of new hashes: slow enough to hinder guessing, quick enough for logging in many
// learners one after another.
inline constexpr int kPasswordHashIterations = 20000;

// "pbkdf2-sha256$<iterations>$<salt hex>$<hash hex>" of the password, trimmed and with ASCII
// letters lower-cased (the login ignores blanks at the ends and letter case); a fresh random
// 16-byte salt each time.
std::string HashPassword(std::string_view password);

// True when the password, trimmed and lower-cased, is the one of the stored hash. An empty
// stored text is a learner without password: only an empty password matches. A malformed
// stored text never matches.
bool VerifyPassword(std::string_view password, std::string_view stored);

}  // namespace zidezo
