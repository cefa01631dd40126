#pragma once

// Small hunspell dictionaries made by the tests, in the shape of the Debian
// ones: en_US with a negating prefix, plural, past and -ing suffixes, a
// noun with two readings ("leaves": "leave" and "leaf") and "running"
// listed as a word of its own, and the compound "strongbox"; bg_BG with the
// definite and plural endings of a feminine noun, an adjective by gender
// and a verb by person and tense, and forms listed as words of their own,
// unlinked to their dictionary form ("книгите", "коти").

#include <filesystem>
#include <string>

#include "services/translator/test_dictionary.h"

namespace prevod {

inline void write_test_hunspell(const std::filesystem::path& directory) {
  TestDictionary::write_file(directory / "en_US.aff",
                             "SET UTF-8\n"
                             "TRY esianrtolcdugmfphbyvkw\n"
                             "PFX U Y 1\n"
                             "PFX U 0 un .\n"
                             "SFX S Y 2\n"
                             "SFX S 0 es [sxzh]\n"
                             "SFX S 0 s [^sxzh]\n"
                             "SFX V Y 1\n"
                             "SFX V f ves f\n"
                             "SFX D Y 2\n"
                             "SFX D 0 d e\n"
                             "SFX D 0 ed [^e]\n"
                             "SFX G Y 2\n"
                             "SFX G e ing e\n"
                             "SFX G 0 ing [^e]\n");
  TestDictionary::write_file(directory / "en_US.dic",
                             "10\ncat/S\nbox/S\nhappy/U\nleaf/V\nleave/SDG\nwalk/SDG\nrun/S\n"
                             "running\nwent\nstrongbox/S\n");
  TestDictionary::write_file(directory / "bg_BG.aff",
                             "SET UTF-8\n"
                             "TRY аеноиртвслкмпздяубъчгцжхшфйщюь\n"
                             "SFX K Y 3\n"
                             "SFX K а ата а\n"
                             "SFX K а и а\n"
                             "SFX K а ите а\n"
                             "SFX L Y 6\n"
                             "SFX L ък ка ък\n"
                             "SFX L ък ката ък\n"
                             "SFX L ък ко ък\n"
                             "SFX L ък кото ък\n"
                             "SFX L ък ки ък\n"
                             "SFX L ък кия ък\n"
                             "SFX P Y 4\n"
                             "SFX P я иш я\n"
                             "SFX P я и я\n"
                             "SFX P я их я\n"
                             "SFX P я еше я\n");
  TestDictionary::write_file(
      directory / "bg_BG.dic",
      "9\nкотка/K\nмаса/K\nтежък/L\nходя/P\nвино\nкнига\nкнигите\nкота\nкоти\n");
}

}  // namespace prevod
