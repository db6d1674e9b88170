# SPDX-License-Identifier: MIT
"""Makes the program's one page from the shell page, the runtime emcc wrote and its
WebAssembly: where the shell says {{{ SCRIPT }}}, the module compressed and in base64,
unpacked by the decoder (inflate.js and its module) and handed to the runtime as its
binary, then the runtime itself.
Usage: pack_page.py SHELL.html RUNTIME.js MODULE.wasm INFLATE.js DECODER.wasm OUTPUT.html"""

import base64
import sys
import zlib

shell_path, runtime_path, module_path, inflate_path, decoder_path, output_path = sys.argv[1:]
with open(shell_path, encoding="utf-8") as shell_file:
    shell = shell_file.read()
with open(runtime_path, encoding="utf-8") as runtime_file:
    runtime = runtime_file.read()
with open(module_path, "rb") as module_file:
    module = module_file.read()
with open(decoder_path, "rb") as decoder_file:
    decoder = base64.b64encode(decoder_file.read()).decode("ascii")
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
script = ("<script>\n" + inflate + f"Module.wasmBinary = korvantaInflate(korvantaBytes('{decoder}'),\n"
          f"  korvantaBytes('{packed}'), {len(module)});\n</script>\n<script>\n" + runtime + "</script>")
with open(output_path, "w", encoding="utf-8", newline="\n") as output:
    output.write(shell.replace("{{{ SCRIPT }}}", script))
