#include "config/settings.h"

#include "config/ini_file.h"

namespace zil::config {

Rinistr LoadSettings(const std::filesystem::path& file) {
  const IniFile ini(file);
  const Rinistr d;
  Rinistr s;
  s.curmapn = ini.ReadInteger(u"Textedit", u"MapNew", d.curmapn);
  s.curmaped = ini.ReadInteger(u"Textedit", u"Mapedit", d.curmaped);
  s.txthw = ini.ReadInteger(u"Textedit", u"Width", d.txthw);
  s.txtl = ini.ReadInteger(u"Textedit", u"Left", d.txtl);
  s.txtt = ini.ReadInteger(u"Textedit", u"Top", d.txtt);
  s.grl = ini.ReadInteger(u"Gredit", u"left", d.grl);
  s.grt = ini.ReadInteger(u"Gredit", u"Top", d.grt);
  s.grw = ini.ReadInteger(u"Gredit", u"width", d.grw);
  s.grh = ini.ReadInteger(u"Gredit", u"height", d.grh);
  s.grmode = ini.ReadInteger(u"Gredit", u"mode", d.grmode);
  s.expl = ini.ReadInteger(u"Lib", u"Left", d.expl);
  s.expt = ini.ReadInteger(u"Lib", u"Top", d.expt);
  s.exph = ini.ReadInteger(u"Lib", u"height", d.exph);
  s.expw = ini.ReadInteger(u"Lib", u"Width", d.expw);
  s.stFile = ini.ReadString(u"Lib", u"Standard", d.stFile);
  s.charmap = ini.ReadInteger(u"Textedit", u"charmap", d.charmap);
  s.expld = ini.ReadInteger(u"Mtext", u"MtextExpolde", d.expld);
  s.reverseTTF = ini.ReadBool(u"Textedit", u"ReverseTTF", d.reverseTTF);
  return s;
}

void SaveSettings(const Rinistr& s, const std::filesystem::path& file) {
  IniFile ini = [&file] {
    try {
      return IniFile(file);
    } catch (const std::exception& e) {
      throw IniWriteError(file, e.what());
    }
  }();
  ini.WriteInteger(u"Textedit", u"Width", s.txthw);
  ini.WriteInteger(u"Textedit", u"Left", s.txtl);
  ini.WriteInteger(u"Textedit", u"MapNew", s.curmapn);
  ini.WriteInteger(u"Textedit", u"Mapedit", s.curmaped);
  ini.WriteInteger(u"Textedit", u"Top", s.txtt);
  ini.WriteInteger(u"Textedit", u"charmap", s.charmap);
  ini.WriteInteger(u"Gredit", u"left", s.grl);
  ini.WriteInteger(u"Gredit", u"Top", s.grt);
  ini.WriteInteger(u"Gredit", u"width", s.grw);
  ini.WriteInteger(u"Gredit", u"height", s.grh);
  ini.WriteInteger(u"Gredit", u"mode", s.grmode);
  ini.WriteInteger(u"Lib", u"Left", s.expl);
  ini.WriteInteger(u"Lib", u"Top", s.expt);
  ini.WriteInteger(u"Lib", u"Width", s.expw);
  ini.WriteInteger(u"Lib", u"height", s.exph);
  ini.WriteString(u"Lib", u"Standard", s.stFile);
  ini.WriteInteger(u"Mtext", u"MtextExpolde", s.expld);
  ini.WriteBool(u"Textedit", u"ReverseTTF", s.reverseTTF);
  ini.Save();
}

}  // namespace zil::config
