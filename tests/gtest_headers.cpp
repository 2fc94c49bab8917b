// Holds the precompiled gtest header that the Qt-free tests share.
