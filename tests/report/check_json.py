# Reads the JSON trovex-report printed for escapes.txt (the first argument) and
# checks what a JSON reader gets: texts escaped and decoded, numbers typed, and
# nothing for what the record could not answer. The second argument is the
# file's path, which the JSON names.
import json, sys
d = json.loads(sys.argv[1])
assert len(d) == 1 and d[0]['file'] == sys.argv[2], d
g, c = d[0]['glgpu'][0], d[0]['clgpu'][0]
assert g['GLRenderer'] == 'tab\there \\ back "q" \u00e9 \u2713', g['GLRenderer']
assert g['GLMemoryMB'] == 4294967295 and g['HasGLNPOTSupport'] is True, g
assert g['glGetString'] == {'GL_SHADING_LANGUAGE_VERSION': '4.50'}, g
assert 'glGetProgramivARB' not in g and 'extension' not in g, g
assert c['CLBandwidth'] is None and c['CLCompute'] == 2.5, c
