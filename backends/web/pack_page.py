# SPDX-License-Identifier: MIT
"""Makes the program's one page from the shell page, the runtime emcc wrote and its
WebAssembly: where the shell says {{{ SCRIPT }}}, the decoder (inflate.js) with the module
compressed and in base64, handed to the runtime as its binary, then the runtime itself.
Usage: pack_page.py SHELL.html RUNTIME.js MODULE.wasm INFLATE.js OUTPUT.html"""

import base64
import sys
import zlib

shell_path, runtime_path, module_path, inflate_path, output_path = sys.argv[1:]
with open(shell_path, encoding="utf-8") as shell_file:
    shell = shell_file.read()
with open(runtime_path, encoding="utf-8") as runtime_file:
    runtime = runtime_file.read()
with open(module_path, "rb") as module_file:
    module = module_file.read()
with open(inflate_path, encoding="utf-8") as inflate_file:
    # Without its comments of whole lines and its indentation, as the runtime comes
    # without them: every byte is downloaded.
    inflate = "".join(line.strip() + "\n" for line in inflate_file if not line.strip().startswith("//"))

if shell.count("{{{ SCRIPT }}}") != 1:
    sys.exit(f"{shell_path}: no single {{{{{{ SCRIPT }}}}}} to put the program at")
for name, text in (("runtime", runtime), ("decoder", inflate)):
    if "</script" in text.lower():
        sys.exit(f"pack_page.py: the {name} holds '</script', which would end its script early")

# Raw DEFLATE, at the highest level: the same bytes for the same module on every build.
packer = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
packed = base64.b64encode(packer.compress(module) + packer.flush()).decode("ascii")
# Base64 to bytes by a plain loop: Uint8Array.from with a function per byte takes several
# times as long in a page that has just opened.
script = ("<script>\n" + inflate + "(function () {\n"
          f"  var packed = atob('{packed}');\n"
          "  var bytes = new Uint8Array(packed.length);\n"
          "  for (var i = 0; i < packed.length; ++i) bytes[i] = packed.charCodeAt(i);\n"
          f"  Module.wasmBinary = korvantaInflate(bytes, {len(module)});\n"
          "})();\n</script>\n<script>\n" + runtime + "</script>")
with open(output_path, "w", encoding="utf-8", newline="\n") as output:
    output.write(shell.replace("{{{ SCRIPT }}}", script))
